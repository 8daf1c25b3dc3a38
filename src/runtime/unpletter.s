; void tess_unpletter(const unsigned char* stream, unsigned char* out)
; void tess_unpletter_vram(const unsigned char* stream, unsigned address)
; Unpacks a Pletter 0.5 stream without the length header: three bits give
; the mode, a byte comes as it is, then for each token a bit: 0 for a
; literal byte, 1 for a copy, whose length - 1 is a gamma code (a 1 and a
; data bit while 1s come, then a 0; 16 data bits and more: the end) and whose
; offset - 1 is a byte, or, when its top bit is set, that byte's 7 bits under
; `mode` more bits (none in mode 1), plus 128.
; HL: the stream; DE: the output; A: the bit byte, with a marker bit below
; the bits left; BC: values. Bits come in and bytes go out through unpack.s.
        .module tess_unpletter
        .globl  _tess_unpletter, _tess_unpletter_vram
        .globl  unpack_into_ram, unpack_into_vram, unpack_literals, unpack_copy, unpack_bit

        .area   _DATA
far_bits:
        .ds     1
stream:
        .ds     2

        .area   _CODE
_tess_unpletter::
        call    unpack_into_ram
        jr      unpletter
_tess_unpletter_vram::
        call    unpack_into_vram
unpletter:
        ld      a, #0x80                ; no bits yet
        ld      c, #0
        call    unpack_bit
        rl      c
        call    unpack_bit
        rl      c
        call    unpack_bit
        rl      c                       ; mode - 1
        ex      af, af'
        ld      a, c
        or      a
        jr      z, 1$
        inc     a                       ; modes 2 to 7: that many bits
1$:     ld      (far_bits), a
        ex      af, af'
        call    one_literal             ; the first byte
token:
        call    unpack_bit
        jr      c, copy_token
        call    one_literal
        jr      token
copy_token:
        ld      bc, #1
1$:     call    unpack_bit
        jr      nc, 2$
        call    unpack_bit
        rl      c
        rl      b
        jr      nc, 1$
        ret                             ; past 16 bits: the end
2$:     push    bc                      ; length - 1
        ex      af, af'
        ld      c, (hl)
        inc     hl
        ld      b, #0
        bit     7, c
        jr      z, near_offset
        ld      a, (far_bits)
        or      a
        jr      z, near_offset                 ; mode 1: the byte as it is
        push    de
        ld      d, a
        ld      e, #0
        ex      af, af'
3$:     call    unpack_bit
        rl      e
        dec     d
        jr      nz, 3$
        ex      af, af'
        res     7, c
        srl     e
        jr      nc, 4$
        set     7, c
4$:     ld      b, e                    ; the high bits above the byte's 7
        ld      a, c
        add     a, #0x80
        ld      c, a
        jr      nc, 5$
        inc     b
5$:     pop     de
near_offset:
        inc     bc                      ; the offset
        ld      (stream), hl
        ld      h, d
        ld      l, e
        or      a
        sbc     hl, bc
        pop     bc
        inc     bc                      ; the length
        call    unpack_copy
        ld      hl, (stream)
        ex      af, af'
        jr      token

one_literal:
        ld      bc, #1
        jp      unpack_literals
