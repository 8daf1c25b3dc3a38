; SG-1000 Play Map cartridge: a ROM at 0x0000 whose map page is 0x4000, the
; engine in play_engine.asm. Joypad 1 moves the walker.

VDP_DATA    equ 0xBE
VDP_CONTROL equ 0xBF
JOYPAD      equ 0xDC
WORLD       equ 0x4000

        org 0x0000
        di
        im 1
        ld sp, 0xC400
        jp play

        ds 0x38 - $, 0
        push af                 ; the frame interrupt: reading the status ends it
        in a, (VDP_CONTROL)
        pop af
        ei
        reti
        ds 0x66 - $, 0
        retn                    ; the pause button

; A = the directions held.
read_keys:
        in a, (JOYPAD)
        cpl
        and KEY_UP | KEY_DOWN | KEY_LEFT | KEY_RIGHT
        ret

; The cartridge has no banks: every row is in the map page.
select_bank:
        ret

        include "play_engine.asm"
play_data:
