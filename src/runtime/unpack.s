; Where the unpackers put their bytes: RAM, or video memory through the
; chip's ports. Each unpacker calls unpack_literals (BC bytes from the
; stream at HL to the output at DE) and unpack_copy (BC bytes from the
; output at HL to the output at DE); both leave HL and DE past their bytes
; and keep A, the unpacker's bits. They jump to the routine the unpacker's
; entry chose.
        .module tess_unpack
        .globl  unpack_into_ram, unpack_into_vram, unpack_literals, unpack_copy
        .globl  vram_literals, vram_copy

        .area   _DATA
unpack_literals::
        .ds     3                       ; jp literals
unpack_copy::
        .ds     3                       ; jp copy

        .area   _CODE
unpack_into_vram::
        ld      hl, #vram_literals
        ld      de, #vram_copy
        jr      set_output
unpack_into_ram::
        ld      hl, #ram_bytes
        ld      d, h
        ld      e, l
set_output:
        ld      a, #0xC3                ; jp
        ld      (unpack_literals), a
        ld      (unpack_copy), a
        ld      (unpack_literals + 1), hl
        ld      (unpack_copy + 1), de
        ret

; In RAM a literal run and a copy are both a block move.
ram_bytes:
        ldir
        ret
