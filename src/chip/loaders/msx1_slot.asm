; A = the cartridge's slot, as ENASLT takes it: page 1's, where the BIOS found it.
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
