; The Play Map engine both machines share: a walker on a map bigger than the
; screen, moved by the machine's `read_keys`, stopped by solid metatiles, the
; view following it a whole tile at a time. Included after the machine's own
; start-up with WORLD (the map page's address), VDP_DATA and VDP_CONTROL set.
;
; The cartridge's data, made by the editor:
;   play_data (right after the engine): db registers 0-7,
;       then {dw length, dw source, dw vram} blocks, dw 0
;   WORLD: the header below, the solid flags at WORLD + 0x100 (a byte a
;       metatile), then a page of 256 names for each place in a metatile
;       (row by row), the walk frames, the row table and the cells (or, in a
;       megaROM, the cells in banks of their own).
;
; Each frame: wait for the chip's frame interrupt; in the blank, show the
; name table the last frame drew (register 2 flips between 0x1800 and 0x1C00)
; and the walker's sprites; then read the keys, move, animate, and when the
; view moves, draw its names into the name table not shown.

W_SHIFT     equ WORLD + 0x00    ; db: map pixels to cells, 3 + log2 of the metatile size
W_SIZE      equ WORLD + 0x01    ; db: tiles across a metatile
W_LAST_VIEW equ WORLD + 0x02    ; dw column, dw row: the view's largest top-left tile
W_PIXELS    equ WORLD + 0x06    ; dw wide, dw high: the map in pixels
W_START     equ WORLD + 0x0A    ; dw x, dw y: the walker's top-left corner
W_VIEW      equ WORLD + 0x0E    ; dw column, dw row: the first view
W_BOX       equ WORLD + 0x12    ; dw wide, dw high: the walker's box in pixels
W_SPEED     equ WORLD + 0x16    ; db: pixels a frame
W_FRAMES    equ WORLD + 0x17    ; db: walk frames
W_TICKS     equ WORLD + 0x18    ; db: machine frames a walk frame shows while moving
W_PAGES     equ WORLD + 0x19    ; db: the first name page's high byte
W_FRAME_TABLE equ WORLD + 0x1A  ; dw: a dw a frame, each at db parts, {db y, x, pattern, colour}...
W_ROW_TABLE equ WORLD + 0x1C    ; dw: 3 bytes a cell row: dw its cells' address, db the bank holding them
W_SOLID     equ WORLD + 0x1E    ; db: the solid flags' page's high byte
W_BANKED    equ WORLD + 0x1F    ; db: 1 when the cells are in a megaROM's banks, switched in by `select_bank`
W_CELL_MASK equ WORLD + 0x20    ; db: pixels across a cell, less 1

KEY_UP      equ 1
KEY_DOWN    equ 2
KEY_LEFT    equ 4
KEY_RIGHT   equ 8
MARGIN_X    equ 64
MARGIN_Y    equ 48

; RAM. The first two bytes say the engine runs (1, then its complement), as
; the screen loaders say a screen is in; a tool reads the rest.
RAM         equ 0xC000
FRAMES      equ RAM + 0x02      ; dw: frames run, one a frame of the chip
PX          equ RAM + 0x04      ; dw x, dw y: the walker's top-left corner in map pixels
PY          equ RAM + 0x06
VX          equ RAM + 0x08      ; dw column, dw row: the view drawn last
VY          equ RAM + 0x0A
SVX         equ RAM + 0x0C      ; dw column, dw row: the view shown
SVY         equ RAM + 0x0E
FRAME       equ RAM + 0x10      ; db: the walk frame
TICK        equ RAM + 0x11      ; db: frames it has shown while moving
PAGE        equ RAM + 0x12      ; db: the name table shown, 0 at 0x1800, 1 at 0x1C00
FLIP        equ RAM + 0x13      ; db: the other name table holds the next view
REDRAW      equ RAM + 0x14      ; db: set by the editor's link, the view is drawn again
KEYS        equ RAM + 0x15      ; db: the directions held
MOVED       equ RAM + 0x16      ; db
STEPS       equ RAM + 0x17      ; db
CHANGED     equ RAM + 0x18      ; db
C0          equ RAM + 0x19      ; db first, last cell column of a test for solid cells
C1          equ RAM + 0x1A
R0          equ RAM + 0x1B      ; db first, last cell row
R1          equ RAM + 0x1C
ROW         equ RAM + 0x1D      ; db
ROWS_LEFT   equ RAM + 0x20      ; db
ROW_PAGE    equ RAM + 0x21      ; db: the page of a metatile's first column in this tile row
HEAD        equ RAM + 0x22      ; db: names of a row drawn before its first whole cell
PARTS       equ RAM + 0x23      ; db
SAT_SIZE    equ RAM + 0x24      ; db: the sprite attribute bytes to write
FIRST_CELL  equ RAM + 0x25      ; db: the view's first cell column
SUB_COLUMN  equ RAM + 0x26      ; db: its first tile column within that cell
SUB_ROW     equ RAM + 0x27      ; db: the tile row being drawn within its cell
BODY        equ RAM + 0x28      ; db: whole cells a row
TAIL        equ RAM + 0x29      ; db: names of a row after them
SAT         equ RAM + 0x30      ; the sprite attribute table as the next blank writes it

play:
        di
        ld hl, play_data        ; the registers, the display off while loading
        ld c, 0x80
set_register:
        ld a, (hl)
        inc hl
        bit 0, c
        jr z, register_set
        and 0xBF                ; register 1: blank
register_set:
        out (VDP_CONTROL), a
        ld a, c
        out (VDP_CONTROL), a
        inc c
        bit 3, c
        jr z, set_register
block:
        call next_block
        jr z, loaded
        push de
        ld e, (hl)
        inc hl
        ld d, (hl)              ; the video memory address
        inc hl
        ex (sp), hl             ; HL = source, the next block kept
        ex de, hl
        call set_write
        ex de, hl
copy:
        ld a, (hl)              ; at any speed: the display is off
        out (VDP_DATA), a
        inc hl
        dec bc
        ld a, b
        or c
        jr nz, copy
        pop hl
        jr block
loaded:
        ld hl, (W_START)
        ld (PX), hl
        ld hl, (W_START + 2)
        ld (PY), hl
        ld hl, (W_VIEW)
        ld (VX), hl
        ld (SVX), hl
        ld hl, (W_VIEW + 2)
        ld (VY), hl
        ld (SVY), hl
        xor a
        ld (FRAME), a
        ld (TICK), a
        ld (PAGE), a
        ld (FLIP), a
        ld (REDRAW), a
        ld h, a
        ld l, a
        ld (FRAMES), hl
        ld hl, 0x1800
        call draw_view
        call build_attributes
        call write_attributes
        ld a, (play_data + 1)   ; the display on
        out (VDP_CONTROL), a
        ld a, 0x81
        out (VDP_CONTROL), a
        ld a, 1
        ld (RAM), a
        cpl
        ld (RAM + 1), a
        ei

main:
        halt                    ; the frame is drawn: the blank begins
        ld a, (FLIP)
        or a
        jr z, flipped
        ld a, (PAGE)
        xor 1
        ld (PAGE), a
        add a, 6                ; register 2: the name table at 0x1800 or 0x1C00
        di
        out (VDP_CONTROL), a
        ld a, 0x82
        out (VDP_CONTROL), a
        ei
        ld hl, (VX)
        ld (SVX), hl
        ld hl, (VY)
        ld (SVY), hl
        xor a
        ld (FLIP), a
flipped:
        call write_attributes
        ld hl, (FRAMES)
        inc hl
        ld (FRAMES), hl
        call read_keys
        ld (KEYS), a
        call move
        call animate
        call scroll
        ld hl, REDRAW
        or (hl)
        ld (hl), 0
        jr z, drawn
        ld a, (PAGE)
        xor 1
        add a, a
        add a, a
        add a, 0x18
        ld h, a
        ld l, 0
        call draw_view          ; into the name table not shown
        ld a, 1
        ld (FLIP), a
drawn:
        call build_attributes
        jr main

; HL = a video memory address to write from on.
set_write:
        di
        ld a, l
        out (VDP_CONTROL), a
        ld a, h
        or 0x40
        out (VDP_CONTROL), a
        ei
        ret

write_attributes:
        ld hl, 0x1B00
        call set_write
        ld hl, SAT
        ld a, (SAT_SIZE)
        ld b, a
        ld c, VDP_DATA
        otir                    ; in the blank, at any speed
        ret

; The frame's parts at the walker's place in the view drawn last.
build_attributes:
        ld hl, (VX)
        ld de, (PX)
        call on_screen
        ld c, a
        ld hl, (VY)
        ld de, (PY)
        call on_screen
        ld b, a
        ld a, (W_FRAMES)        ; the link may have taken frames away
        ld e, a
        ld a, (FRAME)
        cp e
        jr c, frame_kept
        xor a
        ld (FRAME), a
frame_kept:
        add a, a
        ld e, a
        ld d, 0
        ld hl, (W_FRAME_TABLE)
        add hl, de
        ld e, (hl)
        inc hl
        ld d, (hl)
        ex de, hl               ; HL = the frame
        ld a, (hl)
        inc hl
        ld (PARTS), a
        add a, a
        add a, a
        inc a
        ld (SAT_SIZE), a
        ld de, SAT
part:
        ld a, (hl)
        add a, b
        dec a                   ; the chip shows a sprite a line below its y
        ld (de), a
        inc hl
        inc de
        ld a, (hl)
        add a, c
        ld (de), a
        inc hl
        inc de
        ldi
        ldi
        inc bc                  ; ldi counted BC down
        inc bc
        ld a, (PARTS)
        dec a
        ld (PARTS), a
        jr nz, part
        ld a, 208
        ld (de), a
        ret

; A = DE - HL * 8: a map pixel's place in the view whose first tile is HL.
on_screen:
        add hl, hl
        add hl, hl
        add hl, hl
        ex de, hl
        or a
        sbc hl, de
        ld a, l
        ret

; HL = HL >> B, B counted down to 0.
shift_right:
        inc b
        jr shifted
halve:
        srl h
        rr l
shifted:
        djnz halve
        ret

; A = the cell of map pixel HL.
to_cell:
        ld a, (W_SHIFT)
        ld b, a
        call shift_right
        ld a, l
        ret

move:
        xor a
        ld (MOVED), a
        ld a, (W_SPEED)
        ld (STEPS), a
step:
        ld a, (KEYS)
        and KEY_LEFT | KEY_RIGHT
        cp KEY_RIGHT
        call z, try_right
        ld a, (KEYS)
        and KEY_LEFT | KEY_RIGHT
        cp KEY_LEFT
        call z, try_left
        ld a, (KEYS)
        and KEY_UP | KEY_DOWN
        cp KEY_DOWN
        call z, try_down
        ld a, (KEYS)
        and KEY_UP | KEY_DOWN
        cp KEY_UP
        call z, try_up
        ld hl, STEPS
        dec (hl)
        jr nz, step
        ret

; Each try moves the walker a pixel when the line of pixels it would enter is
; on the map and in no solid metatile. The walker is in no solid metatile, so
; a line within the cells its edge is in already needs no test.
try_right:
        ld hl, (PX)
        ld de, (W_BOX)
        add hl, de
        ld de, (W_PIXELS)
        call at_end
        ret c
        call column_free
        ret c
        ld hl, (PX)
        inc hl
        ld (PX), hl
        jr moved
try_left:
        ld hl, (PX)
        ld a, h
        or l
        ret z
        call column_free_before
        ret c
        ld hl, (PX)
        dec hl
        ld (PX), hl
        jr moved
try_down:
        ld hl, (PY)
        ld de, (W_BOX + 2)
        add hl, de
        ld de, (W_PIXELS + 2)
        call at_end
        ret c
        call row_free
        ret c
        ld hl, (PY)
        inc hl
        ld (PY), hl
        jr moved
try_up:
        ld hl, (PY)
        ld a, h
        or l
        ret z
        call row_free_before
        ret c
        ld hl, (PY)
        dec hl
        ld (PY), hl
moved:
        ld a, 1
        ld (MOVED), a
        ret

; Carry when HL >= DE: the line is past the map's end.
at_end:
        push hl
        or a
        sbc hl, de
        pop hl
        ccf
        ret

; Carry when the pixel column before HL (the walker's left edge) crosses a solid metatile.
column_free_before:
        call in_cell            ; HL not a cell's first pixel: the column before is in its cell
        ret nz
        dec hl
        jr column_line
; Carry when the pixel column HL, just past the walker's right edge, crosses a solid metatile.
column_free:
        call in_cell            ; not a cell's first pixel: in the cell of the walker's edge
        ret nz
column_line:
        call to_cell
        ld (C0), a
        ld (C1), a
        ld hl, (PY)
        ld de, (W_BOX + 2)
        ld ix, R0
        call span
        jr any_solid
; The same for the pixel rows above and below the walker.
row_free_before:
        call in_cell
        ret nz
        dec hl
        jr row_line
row_free:
        call in_cell
        ret nz
row_line:
        call to_cell
        ld (R0), a
        ld (R1), a
        ld hl, (PX)
        ld de, (W_BOX)
        ld ix, C0
        call span
        jr any_solid

; NZ, carry clear, when map pixel HL is not the first of its cell.
in_cell:
        ld a, (W_CELL_MASK)
        and l
        ret
; Carry when a cell of columns C0-C1 and rows R0-R1 holds a solid metatile.
any_solid:
        ld a, (R0)
        ld (ROW), a
solid_row:
        call row_cells
        ld a, (C0)
        ld e, a
        ld d, 0
        add hl, de
        ld a, (C1)
        sub e
        inc a
        ld b, a
        ld a, (W_SOLID)
        ld d, a
solid_cell:
        ld e, (hl)
        ld a, (de)
        or a
        scf
        ret nz
        inc hl
        djnz solid_cell
        ld hl, ROW
        ld a, (R1)
        cp (hl)
        jr z, no_solid
        inc (hl)
        jr solid_row
no_solid:
        or a
        ret

; (IX) = the cell of map pixel HL, (IX + 1) = that of pixel HL + DE - 1: the
; cells the walker spans on one axis.
span:
        push hl
        push de
        call to_cell
        ld (ix + 0), a
        pop de
        pop hl
        add hl, de
        dec hl
        call to_cell
        ld (ix + 1), a
        ret

; HL = the first cell of the row at ROW, its bank switched in.
row_cells:
        ld a, (ROW)
        ld l, a
        ld h, 0
        ld e, l
        ld d, h
        add hl, hl
        add hl, de
        ld de, (W_ROW_TABLE)
        add hl, de
        ld e, (hl)
        inc hl
        ld d, (hl)
        inc hl
        ld a, (hl)
        call select_bank
        ex de, hl
        ret

; While moving, the walk frame changes every W_TICKS frames.
animate:
        ld a, (MOVED)
        or a
        ret z
        ld hl, TICK
        inc (hl)
        ld a, (W_TICKS)
        cp (hl)
        ret nz
        ld (hl), 0
        ld a, (FRAME)
        inc a
        ld hl, W_FRAMES
        cp (hl)
        jr c, next_frame
        xor a
next_frame:
        ld (FRAME), a
        ret

; A = non-zero when the view moved a tile on either axis.
scroll:
        xor a
        ld (CHANGED), a
        ld ix, PX
        ld iy, W_LAST_VIEW
        ld b, MARGIN_X
        ld de, 256 - MARGIN_X + 1
        call follow
        ld ix, PY
        ld iy, W_LAST_VIEW + 2
        ld b, MARGIN_Y
        ld de, 192 - MARGIN_Y + 1
        call follow
        ld a, (CHANGED)
        ret

; One axis: IX = the walker's coordinate (its view 4 bytes on), IY = the
; view's largest first tile (the walker's size 16 bytes on), B = the margin,
; DE = the screen less the margin, plus 1.
follow:
        ld l, (ix + 4)
        ld h, (ix + 5)
        push de
        ld e, (ix + 0)
        ld d, (ix + 1)
        call on_screen          ; HL = the walker's place on the screen
        pop de
        cp b
        jr nc, not_behind
        ld l, (ix + 4)
        ld h, (ix + 5)
        ld a, h
        or l
        ret z
        dec hl
        jr view_moved
not_behind:
        ld c, (iy + 16)
        ld b, (iy + 17)
        add hl, bc
        or a
        sbc hl, de
        ret c
        ld l, (ix + 4)
        ld h, (ix + 5)
        ld e, (iy + 0)
        ld d, (iy + 1)
        or a
        sbc hl, de
        ret nc
        add hl, de
        inc hl
view_moved:
        ld (ix + 4), l
        ld (ix + 5), h
        ld a, 1
        ld (CHANGED), a
        ret

; HL = the name table to draw the view at VX, VY into. The writes are spaced
; for the chip during the display: at least 29 clocks apart.
draw_view:
        call set_write
        ld a, (W_SIZE)
        dec a
        ld c, a                 ; C = the metatile size less 1
        ld hl, (VX)             ; the first cell column, and the names before the first whole cell
        call tile_to_cell
        ld (FIRST_CELL), a
        ld a, (VX)
        and c
        ld (SUB_COLUMN), a
        jr z, no_head
        ld b, a
        ld a, c
        sub b
        inc a
no_head:
        ld (HEAD), a
        ld b, a                 ; the whole cells after it, and the names after those
        ld a, 32
        sub b
        ld l, a
        and c
        ld (TAIL), a
        ld h, 0
        ld a, (W_SHIFT)
        sub 3
        ld b, a
        call shift_right
        ld a, l
        ld (BODY), a
        ld hl, (VY)             ; the first cell row, and the tile row within it
        call tile_to_cell
        ld (ROW), a
        ld a, (W_SHIFT)
        sub 3
        ld b, a
        ld a, (VY)
        and c
        ld (SUB_ROW), a
        inc b
        jr row_page
times_size:
        add a, a
row_page:
        djnz times_size
        ld hl, W_PAGES
        add a, (hl)
        ld (ROW_PAGE), a
        ld a, 24
        ld (ROWS_LEFT), a
draw_row:
        call row_cells
        ld a, (FIRST_CELL)
        ld e, a
        ld d, 0
        add hl, de
        ex de, hl               ; DE = the first cell
        ld a, (HEAD)
        or a
        jr z, whole_cells
        ld b, a
        ld a, (SUB_COLUMN)
        ld hl, ROW_PAGE
        add a, (hl)
        ld h, a
        call part_cell
whole_cells:
        ld a, (BODY)
        ld b, a
        ld a, (ROW_PAGE)
        ld h, a
        ld a, (W_SIZE)
        cp 2
        jr z, cells_of_2
        jp c, cells_of_1
cells_of_4:
        ld a, (de)
        inc de
        ld l, a
        rept 3                  ; unrolled: the frame has no time for a loop here
        ld a, (hl)
        out (VDP_DATA), a
        inc h
        nop
        nop
        endm
        ld a, (hl)
        out (VDP_DATA), a
        dec h
        dec h
        dec h
        djnz cells_of_4
        jp tail
cells_of_2:
        ld a, 16                ; into the 16 cells below at the first this row needs
        sub b
        ld c, a
        add a, a
        add a, c
        add a, a
        add a, a                ; 12 bytes a cell
        ld c, a
        ld b, 0
        ld ix, sixteen_cells_of_2
        add ix, bc
        jp (ix)
sixteen_cells_of_2:
        rept 16                 ; unrolled: the SG-1000's 60 Hz frame has no time for a loop either
        ld a, (de)
        inc de
        ld l, a
        ld a, (hl)
        out (VDP_DATA), a
        inc h
        ld a, (hl)
        dec h
        nop
        out (VDP_DATA), a
        endm
        jp tail
cells_of_1:
        rept 32                 ; always a whole row of cells: unrolled, for the same reason
        ld a, (de)
        inc de
        ld l, a
        ld a, (hl)
        out (VDP_DATA), a
        endm
tail:
        ld a, (TAIL)
        or a
        call nz, part_cell_b
        ld a, (W_SIZE)          ; the next tile row: the next page, or the next cell row's first
        ld b, a
        ld hl, SUB_ROW
        inc (hl)
        cp (hl)
        ld a, (ROW_PAGE)
        jr z, next_cell_row
        add a, b
        jr row_paged
next_cell_row:
        ld (hl), 0
        ld hl, ROW
        inc (hl)
        ld a, (W_PAGES)
row_paged:
        ld (ROW_PAGE), a
        ld hl, ROWS_LEFT
        dec (hl)
        jp nz, draw_row
        ret

; A names of the cell at DE from the row's first page on.
part_cell_b:
        ld b, a
        ld a, (ROW_PAGE)
        ld h, a
; B names of the cell at DE from page H on; DE then at the next cell.
part_cell:
        ld a, (de)
        inc de
        ld l, a
part_name:
        ld a, (hl)
        out (VDP_DATA), a
        inc h
        djnz part_name
        ret

        include "next_block.asm"

; A = the cell of tile HL.
tile_to_cell:
        ld a, (W_SHIFT)
        sub 3
        ld b, a
        call shift_right
        ld a, l
        ret
