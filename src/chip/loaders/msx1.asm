; MSX1 cartridge loader: a ROM at 0x4000 (16 or 32 KB) that shows the screens
; appended after it through the BIOS. The data starts at the label `screens`:
;   db count, dw record...          one record a screen
;   record: db the BIOS's mode number, db registers 0-7,
;           then {dw length, dw source, dw vram} blocks, dw 0
; With more than one screen, space shows the next. 0xC000 counts the screens
; shown and 0xC001 holds its complement, so that a tool can tell when one is in.

CHGMOD  equ 0x005F
LDIRVM  equ 0x005C
WRTVDP  equ 0x0047
GTTRIG  equ 0x00D8
RSLREG  equ 0x0138
ENASLT  equ 0x0024
EXPTBL  equ 0xFCC1
SHOWN   equ 0xC000          ; screens shown so far, then its complement

        org 0x4000
        db "AB"
        dw start
        dw 0, 0, 0
        ds 6, 0

start:
        ; The BIOS maps only page 1 of the cartridge: map page 2 from the same slot.
        include "msx1_slot.asm"
        ld h, 0x80
        call ENASLT
        ei
        xor a
        ld (SHOWN), a
        ld (SHOWN + 1), a

        include "screen_loop.asm"

; HL = a screen record.
show:
        ld a, (hl)
        inc hl
        push hl
        call CHGMOD             ; the mode and its table addresses, for the BIOS too
        pop hl
        ld c, 0
set_register:
        ld b, (hl)
        inc hl
        ld a, c
        dec a
        jr nz, written_as_given
        set 5, b                ; register 1: interrupts on, which the BIOS needs
written_as_given:
        push hl
        push bc
        call WRTVDP
        pop bc
        pop hl
        inc c
        bit 3, c
        jr z, set_register
block:
        call next_block
        ret z
        push de                 ; source
        ld e, (hl)
        inc hl
        ld d, (hl)              ; video memory address
        inc hl
        ex (sp), hl             ; HL = source, the next block kept
        call LDIRVM
        pop hl
        jr block

wait_key:
        xor a
        call GTTRIG
        or a
        jr nz, wait_key       ; first let go of a held key
pressed:
        xor a
        call GTTRIG
        or a
        jr z, pressed
        ret

screens:
