; MSX1 Play Map cartridge: a ROM at 0x4000 whose map page is page 2 (0x8000),
; the engine in play_engine.asm. The cursor keys or joystick 1 move the walker.
; Where the machine has RAM in page 2, the map page is copied there and played
; from RAM (MAP_IN_RAM says so), so that the editor's link can change it.
; A map too large for one page makes the cartridge an ASCII8 megaROM: 8 KB
; banks 0 and 1 at 0x4000, the map's head (bank 2) at 0x8000, and the bank
; holding a row's cells switched in at 0xA000 as it is read.

RSLREG  equ 0x0138
ENASLT  equ 0x0024
EXPTBL  equ 0xFCC1
GTSTCK  equ 0x00D5
VDP_DATA    equ 0x98
VDP_CONTROL equ 0x99
WORLD       equ 0x8000
CART_SLOT   equ 0xC0F0
RAM_SLOT    equ 0xC0F1
MAP_IN_RAM  equ 0xC0F2          ; 1 when the map page plays from RAM
BUFFER      equ 0xD000          ; 4 KB of page 3 the copy passes through

        org 0x4000
        db "AB"
        dw start
        dw 0, 0, 0
        ds 6, 0

BANK_4000   equ 0x6000          ; ASCII8: the bank at each 8 KB from 0x4000
BANK_6000   equ 0x6800
BANK_8000   equ 0x7000
BANK_A000   equ 0x7800

start:
        include "msx1_slot.asm"
        ld (CART_SLOT), a
        ld h, 0x80
        call ENASLT
        xor a                   ; the banks in order (a plain cartridge ignores this)
        ld (BANK_4000), a
        inc a
        ld (BANK_6000), a
        inc a
        ld (BANK_8000), a
        inc a
        ld (BANK_A000), a
        xor a
        ld (MAP_IN_RAM), a
        ld a, (W_BANKED)        ; a megaROM's map stays in its banks
        or a
        jp nz, play
        in a, (0xA8)            ; the RAM's slot: page 3's, where the BIOS keeps its own
        rlca
        rlca
        and 3
        ld c, a
        ld b, 0
        ld hl, EXPTBL
        add hl, bc
        ld a, (hl)
        and 0x80
        jr z, ram_slot
        or c
        ld c, a
        ld a, (0xFFFF)          ; its secondary slot, read back inverted
        cpl
        and 0xC0
        rrca
        rrca
        rrca
        rrca
        or c
        ld c, a
ram_slot:
        ld a, c
        ld (RAM_SLOT), a
        ld h, 0x80              ; is there RAM in page 2?
        call ENASLT
        ld hl, WORLD
        ld (hl), 0x55
        ld a, (hl)
        cp 0x55
        jr nz, no_ram
        ld (hl), 0xAA
        ld a, (hl)
        cp 0xAA
        jr z, copy_map_page
no_ram:
        ld a, (CART_SLOT)       ; no: the map plays from the cartridge
        ld h, 0x80
        call ENASLT
        jp play
copy_map_page:
        ld hl, WORLD
copy_chunk:
        push hl
        ld a, (CART_SLOT)
        ld h, 0x80
        call ENASLT
        pop hl
        push hl
        ld de, BUFFER
        ld bc, 0x1000
        ldir
        ld a, (RAM_SLOT)
        ld h, 0x80
        call ENASLT
        pop de
        push de
        ld hl, BUFFER
        ld bc, 0x1000
        ldir
        pop hl
        ld bc, 0x1000
        add hl, bc
        ld a, h
        cp 0xC0
        jr nz, copy_chunk
        ld a, 1
        ld (MAP_IN_RAM), a
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
; A = the bank that holds a row's cells, switched in at 0xA000.
select_bank:
        ld (BANK_A000), a
        ret

stick_keys:
        db 0, KEY_UP, KEY_UP | KEY_RIGHT, KEY_RIGHT, KEY_DOWN | KEY_RIGHT
        db KEY_DOWN, KEY_DOWN | KEY_LEFT, KEY_LEFT, KEY_UP | KEY_LEFT

        include "play_engine.asm"
play_data:
