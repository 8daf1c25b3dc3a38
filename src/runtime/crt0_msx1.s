; The start of a 32 KB MSX1 cartridge for SDCC: the ROM header at 0x4000,
; page 2 mapped from the cartridge's own slot through the BIOS, the stack
; set, initialised data copied to RAM and static variables set, then main(),
; then a halt for good.
        .module crt0
        .globl  _main
        .globl  l__INITIALIZER, s__INITIALIZER, s__INITIALIZED

RSLREG  = 0x0138
ENASLT  = 0x0024
EXPTBL  = 0xFCC1

        .area   _HEADER (ABS)
        .org    0x4000
        .db     0x41, 0x42              ; "AB"
        .dw     start
        .dw     0, 0, 0
        .ds     6

start:
        di
        ld      sp, #0xF380
        call    RSLREG                  ; page 1's slot: ours
        rrca
        rrca
        and     #3
        ld      c, a
        ld      b, #0
        ld      hl, #EXPTBL
        add     hl, bc
        ld      a, (hl)
        and     #0x80                   ; expanded
        or      c
        ld      c, a
        inc     hl
        inc     hl
        inc     hl
        inc     hl                      ; its entry in SLTTBL
        ld      a, (hl)
        and     #0x0C                   ; page 1's secondary slot
        or      c
        ld      h, #0x80
        call    ENASLT                  ; the same slot in page 2
        di
