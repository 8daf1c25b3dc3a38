; tiles for level 1
// generated
tiles_0:
    db $FF,0FFh,0xFF,%01010101, 10, $1234, 12h34 ; row data
  DB 1,2,3 // 4
label with spaces : .db $80
DBG: db 1
defb 7
db 1 ; see: below
