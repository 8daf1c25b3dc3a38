; HL = a block of a record: Z at the record's end, else BC = the length,
; DE = the source and HL at the block's video memory address.
next_block:
        ld c, (hl)
        inc hl
        ld b, (hl)
        inc hl
        ld a, b
        or c
        ret z
        ld e, (hl)
        inc hl
        ld d, (hl)
        inc hl
        ret
