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
