; SG-1000 cartridge loader: a ROM at 0x0000 that shows the screens appended
; after it by writing the video chip's ports itself (the console has no BIOS).
; The data starts at the label `screens`:
;   db count, dw record...          one record a screen
;   record: db the MSX BIOS's mode number (not used here), db registers 0-7,
;           then {dw length, dw source, dw vram} blocks, dw 0
; With more than one screen, button 1 shows the next. 0xC000 counts the
; screens shown and 0xC001 holds its complement, so that a tool can tell when one is in.

VDP_DATA    equ 0xBE
VDP_CONTROL equ 0xBF
JOYPAD      equ 0xDC
SHOWN       equ 0xC000      ; screens shown so far, then its complement

        org 0x0000
        di
        im 1
        ld sp, 0xC400
        jp start

        ds 0x38 - $, 0
        ret                     ; interrupts stay off
        ds 0x66 - $, 0
        retn                    ; the pause button

start:
        xor a
        ld (SHOWN), a
        ld (SHOWN + 1), a

        include "screen_loop.asm"

; HL = a screen record.
show:
        inc hl                  ; the BIOS's mode: the registers say it all here
        ld c, 0x80              ; a write to register 0
set_register:
        ld a, (hl)
        out (VDP_CONTROL), a
        ld a, c
        out (VDP_CONTROL), a
        inc hl
        inc c
        bit 3, c
        jr z, set_register
block:
        call next_block
        ret z
        ld a, (hl)
        out (VDP_CONTROL), a
        inc hl
        ld a, (hl)
        or 0x40                 ; a write
        out (VDP_CONTROL), a
        inc hl
        push hl
        ex de, hl
write:
        ld a, (hl)              ; slow enough for the chip during the display
        out (VDP_DATA), a
        inc hl
        dec bc
        ld a, b
        or c
        jr nz, write
        pop hl
        jr block

wait_key:
        in a, (JOYPAD)
        bit 4, a
        jr z, wait_key       ; first let go of a held button
pressed:
        in a, (JOYPAD)
        bit 4, a
        jr nz, pressed
        ret

screens:
