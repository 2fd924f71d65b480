#pragma once

// How CxImage reaches the format classes. Every format class appears in exactly one line of the table in
// xImageCodecs.cpp; the table's order is the order in which an unannounced file is tried.
//
// A format class derives from CxImage, constructs the base with its own format id and offers
//     bool Decode(CxFile *file);   // decodes into itself; on success sets its format id
//     bool Encode(CxFile *file);   // encodes itself (an alias of the image being saved); starts with
//                                  // EncodeSafeCheck(file)
// Decoders must bound every read and size: detection runs them over untrusted bytes.

#include "image/xImage.h"

#include <memory>
#include <span>

struct ImageCodec
{
    uint32_t firstId;       // ids this class handles (the JPEG 2000 family spans several)
    uint32_t lastId;
    bool reportsFrames;     // a failed decode still reports its frame count to the caller
    std::unique_ptr<CxImage> (*create)(uint32_t formatId);
    // formatId is 0 during detection.
    bool (*decode)(CxImage &codec, CxFile *file, uint32_t formatId);
    bool (*encode)(CxImage &codec, CxFile *file, uint32_t formatId); // null: the format has no encoder
};

template <class Codec>
std::unique_ptr<CxImage> CreateCodec(uint32_t)
{
    return std::make_unique<Codec>();
}

template <class Codec>
bool DecodeAs(CxImage &codec, CxFile *file, uint32_t)
{
    return static_cast<Codec &>(codec).Decode(file);
}

template <class Codec>
bool EncodeAs(CxImage &codec, CxFile *file, uint32_t)
{
    return static_cast<Codec &>(codec).Encode(file);
}

// The table in detection order.
std::span<const ImageCodec> ImageCodecs();
// The codec handling an id, or null.
const ImageCodec *FindImageCodec(uint32_t formatId);
// Replaces the table until called again with null: lets the tests drive the dispatch with stand-in formats.
void SetImageCodecsForTesting(std::span<const ImageCodec> *table);
