; The start of an SG-1000 cartridge for SDCC: the ROM at 0x0000 (the console
; has no BIOS), the stack at the top of its 1 KB of RAM, initialised data
; copied to RAM and static variables set, then main(), then a halt for good.
; Interrupts stay off: tess_wait_frame polls the chip.
        .module crt0
        .globl  _main
        .globl  l__INITIALIZER, s__INITIALIZER, s__INITIALIZED

        .area   _HEADER (ABS)
        .org    0x0000
        di
        im      1
        ld      sp, #0xC400
        jp      start

        .org    0x0038
        reti                            ; the frame interrupt, if a game turns it on

        .org    0x0066
        retn                            ; the pause button

start:
        ld      bc, #l__INITIALIZER
        ld      a, b
        or      c
        jr      z, 1$
        ld      de, #s__INITIALIZED
        ld      hl, #s__INITIALIZER
        ldir
1$:     call    gsinit                  ; static variables set by code
        call    _main
2$:     halt
        jr      2$

        ; The order the linker lays the areas out in: code in ROM, data in RAM.
        .area   _HOME
        .area   _CODE
        .area   _INITIALIZER
        .area   _GSINIT
gsinit:
        .area   _GSFINAL
        ret
        .area   _DATA
        .area   _INITIALIZED
        .area   _BSS
        .area   _HEAP
