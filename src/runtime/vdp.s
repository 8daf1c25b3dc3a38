; The video chip's registers and memory, for the runtime's C and for games in
; sdas. The machine's ports, VDP_DATA and VDP_CONTROL, are defined above this
; by --runtime. Arguments come on the stack (__sdcccall(0)); the caller
; removes them. Each loop leaves the chip at least 29 cycles between two
; accesses, as it needs while it draws the screen.
        .module tess_vdp
        .globl  _tess_set_register, _tess_write_vram, _tess_fill_vram, _tess_wait_frame
        .globl  vram_literals, vram_copy

        .area   _CODE

; void tess_set_register(unsigned char r, unsigned char value)
_tess_set_register::
        ld      hl, #2
        add     hl, sp
        ld      c, (hl)
        inc     hl
        ld      a, (hl)
        out     (VDP_CONTROL), a
        ld      a, c
        or      #0x80                   ; a register write
        out     (VDP_CONTROL), a
        ret

; void tess_write_vram(unsigned address, const unsigned char* bytes, unsigned size)
_tess_write_vram::
        ld      hl, #2
        add     hl, sp
        ld      e, (hl)
        inc     hl
        ld      d, (hl)                 ; the address
        inc     hl
        ld      c, (hl)
        inc     hl
        ld      b, (hl)                 ; the bytes
        inc     hl
        ld      a, (hl)
        inc     hl
        ld      h, (hl)
        ld      l, a                    ; the size
        or      h
        ret     z
        push    bc
        ld      b, h
        ld      c, l
        pop     hl
        ; fall through

; BC bytes (at least one) from HL on to video memory at DE; HL and DE end past them, A is kept.
vram_literals::
        push    af
        call    set_write
1$:     ld      a, (hl)
        out     (VDP_DATA), a
        inc     hl
        inc     de
        dec     bc
        ld      a, b
        or      c
        jr      nz, 1$
        pop     af
        ret

; BC bytes (at least one) from video memory at HL to video memory at DE, a
; byte at a time, as an unpacker's copy may overlap what it copies; A is kept.
vram_copy::
        push    af
1$:     ld      a, l
        out     (VDP_CONTROL), a
        ld      a, h
        and     #0x3F                   ; a read
        out     (VDP_CONTROL), a
        ex      (sp), hl
        ex      (sp), hl                ; the chip's time to fetch the byte
        in      a, (VDP_DATA)
        push    af
        call    set_write
        pop     af
        out     (VDP_DATA), a
        inc     hl
        inc     de
        dec     bc
        ld      a, b
        or      c
        jr      nz, 1$
        pop     af
        ret

; void tess_fill_vram(unsigned address, unsigned char value, unsigned size)
_tess_fill_vram::
        ld      hl, #2
        add     hl, sp
        ld      e, (hl)
        inc     hl
        ld      d, (hl)                 ; the address
        inc     hl
        ld      a, (hl)
        ex      af, af'                 ; the value
        inc     hl
        ld      c, (hl)
        inc     hl
        ld      b, (hl)                 ; the size
        ld      a, b
        or      c
        ret     z
        call    set_write
1$:     ex      af, af'
        out     (VDP_DATA), a
        ex      af, af'
        dec     bc
        ld      a, b
        or      c
        jr      nz, 1$
        ret

; void tess_wait_frame(void): until the chip starts its next frame. The
; status read first drops a frame begun before the call.
_tess_wait_frame::
        in      a, (VDP_CONTROL)
1$:     in      a, (VDP_CONTROL)
        rlca
        jr      nc, 1$
        ret

; The chip's write address: DE.
set_write:
        ld      a, e
        out     (VDP_CONTROL), a
        ld      a, d
        and     #0x3F
        or      #0x40                   ; a write
        out     (VDP_CONTROL), a
        ret
