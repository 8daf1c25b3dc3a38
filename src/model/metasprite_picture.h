#pragma once
// A metasprite edited as one picture: drawn from its parts, and its parts
// derived back from a picture. A pixel of colour C belongs to the part of
// colour C whose sprite covers that pixel's cell of the sprite grid; painting
// a colour into a cell where none of its part is makes one, and a part goes
// with its last pixel.

#include <array>
#include <cstdint>
#include <string>

#include "model/project.h"

struct MetaspritePicture {
  // Row, column; 0 = transparent. Arrays, so that a walk can be checked at its bounds.
  std::array<std::array<uint8_t, kMaxMetaspriteSide>, kMaxMetaspriteSide> pixels{};
};

// A part a picture asks for: one colour's pixels in one cell of the sprite
// grid, whose cells are `side` pixels (the project's sprite size).
struct PicturePiece {
  int x, y, colour;
  Sprite pattern;  // its pixels; the name and colour come when it becomes a sprite
};
// The picture's pieces, cell by cell (rows of cells from the top), colours in order.
std::vector<PicturePiece> PicturePieces(const MetaspritePicture& picture, int width, int height, int side);
// A part's sprite is named after its metasprite, colour and cell ("walk 2 c8 1,0"),
// the metasprite's name shortened to leave the rest whole.
void NamePart(Sprite& sprite, const char* metasprite, int colour, int x, int y, int side);

// The metasprite as the chip shows it: parts of `side` pixels in plane order, the first on top.
MetaspritePicture DrawMetasprite(const Metasprite& metasprite, const std::vector<Sprite>& sprites, int side);

// Makes the metasprite's parts show `picture`: a part keeps its sprite where
// it stays, writing into it (into a copy when another part or metasprite
// shares it); new parts get new sprites after the list's; a part that loses
// its last pixel goes, and so does its sprite when nothing else uses it.
// The parts are of the project's sprite size. False, with `error` set and
// nothing changed, when the sprites would pass 256.
bool SetMetaspritePicture(Project& data, int metasprite, const MetaspritePicture& picture, std::string& error);

// The chip's sprite size becomes `size`. Each metasprite keeps its picture,
// cut again into parts of the new side (its width and height rounded up to
// it); plain sprites keep their records, of which 8 x 8 shows the top-left
// quarter. False, with `error` set and nothing changed, when the parts would
// need more than 256 sprites.
bool ChangeSpriteSize(Project& data, SpriteSize size, std::string& error);

// How many sprites each pixel row of the metasprite needs: the chip shows at most four on a line.
std::vector<int> SpritesPerLine(const Metasprite& metasprite, int side);
