#pragma once

// The module's pictures, compiled in as compressed pixel arrays.

#include <QImage>
#include <QString>
#include <cstdint>

struct EmbeddedImage {
    int32_t width;
    int32_t height;
    int32_t depth;
    // qUncompress format: 4-byte big-endian length, then a zlib stream of
    // width x height pixels 0xAARRGGBB in machine order, rows top to bottom.
    const unsigned char* data;
    uint32_t compressed;
    int32_t numColors;
    const uint32_t* colorTable;
    bool alpha;
    const char* name;
};

// The table; its end is the entry whose data is null. The 2x table holds
// the same pictures with twice the pixels each way, for screens of device
// pixel ratio 2.
extern const EmbeddedImage embeddedImages[];
extern const EmbeddedImage embeddedImages2x[];

// The decoded picture, or a null image when its bytes do not decompress to
// exactly its size.
QImage decodeEmbeddedImage(const EmbeddedImage& entry);

// The decoded picture of the first entry of that exact name, or a null
// image; at scale 2, from the 2x table, its device pixel ratio set to 2.
QImage findEmbeddedImage(const QString& name, int scale = 1);
