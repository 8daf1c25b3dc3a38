; MSX1 Play Map cartridge: a ROM at 0x4000 whose map page is page 2 (0x8000),
; the engine in play_engine.asm. The cursor keys or joystick 1 move the walker.

RSLREG  equ 0x0138
ENASLT  equ 0x0024
EXPTBL  equ 0xFCC1
GTSTCK  equ 0x00D5
VDP_DATA    equ 0x98
VDP_CONTROL equ 0x99
WORLD       equ 0x8000

        org 0x4000
        db "AB"
        dw start
        dw 0, 0, 0
        ds 6, 0

start:
        include "msx1_slots.asm"
        jp play

; A = the directions held: the cursor keys, else joystick 1.
read_keys:
        xor a
        call GTSTCK
        or a
        jr nz, stick
        inc a
        call GTSTCK
stick:
        ld e, a
        ld d, 0
        ld hl, stick_keys
        add hl, de
        ld a, (hl)
        ret
stick_keys:
        db 0, KEY_UP, KEY_UP | KEY_RIGHT, KEY_RIGHT, KEY_DOWN | KEY_RIGHT
        db KEY_DOWN, KEY_DOWN | KEY_LEFT, KEY_LEFT, KEY_UP | KEY_LEFT

        include "play_engine.asm"
play_data:
