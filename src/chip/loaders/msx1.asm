; MSX1 cartridge loader: a ROM at 0x4000 (16 or 32 KB) that shows the screens
; appended after it through the BIOS. The data starts at the label `screens`:
;   db count, dw record...          one record a screen
;   record: db backdrop, db sprite size (register 1's SIZE and MAG bits),
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
        call RSLREG
        rrca
        rrca
        and 3                   ; page 1's primary slot
        ld c, a
        ld b, 0
        ld hl, EXPTBL
        add hl, bc
        ld a, (hl)
        and 0x80                ; expanded
        or c
        ld c, a
        inc hl
        inc hl
        inc hl
        inc hl                  ; its entry in SLTTBL
        ld a, (hl)
        and 0x0C                ; page 1's secondary slot
        or c
        ld h, 0x80
        call ENASLT
        ei
        xor a
        ld (SHOWN), a
        ld (SHOWN + 1), a
        ld a, 2                 ; Graphics II
        call CHGMOD
        ld bc, 0xE201           ; R1: 16 KB, display on, interrupts; each screen sets the sprite size
        call WRTVDP

        include "screen_loop.asm"

; HL = a screen record.
show:
        ld b, (hl)
        inc hl
        push hl
        ld c, 7
        call WRTVDP
        pop hl
        ld a, (hl)
        inc hl
        or 0xE0                 ; 16 KB, display on, interrupts
        ld b, a
        push hl
        ld c, 1
        call WRTVDP
        pop hl
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
