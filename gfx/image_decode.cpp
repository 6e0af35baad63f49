// DevIL sees only bytes whose content and declared size we have checked; its result is brought
// to the two layouts the textures use.
#include "gfx/image_decode.h"

#include <IL/il.h>
#include <IL/ilu.h>

#include "gfx/image_file.h"

namespace {

// Brings the image to RGB or RGBA with 8 bits per channel; false for any other format.
bool normaliseFormat() {
    const ILint format = ilGetInteger(IL_IMAGE_FORMAT);
    const bool byteChannels = ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE;
    switch (format) {
        case IL_RGB:
        case IL_RGBA:
            // Wider channels would be uploaded as bytes and misread: narrow them first.
            if (!byteChannels) ilConvertImage(format, IL_UNSIGNED_BYTE);
            return true;
        case IL_BGR:
            ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
            return true;
        case IL_BGRA:
            ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
            return true;
        default:
            return false;
    }
}

}  // namespace

DecodeResult decodeImage(const std::vector<std::uint8_t>& bytes, std::uint32_t maxSide) {
    const ImageHeader header = inspectImage(bytes);
    if (header.kind == ImageKind::unsupported || !imageSizeAcceptable(header, maxSide))
        return DecodeResult::refused;
    const ILenum type = header.kind == ImageKind::png ? IL_PNG : IL_BMP;
    if (!ilLoadL(type, bytes.data(), static_cast<ILuint>(bytes.size())))
        return DecodeResult::refused;
    // GL's first row is the picture's bottom one. DevIL keeps each file's own row order: PNG
    // rows run top-down, BMP rows bottom-up.
    if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT) iluFlipImage();
    if (!normaliseFormat()) return DecodeResult::unknownFormat;
    if (ilGetError() != IL_NO_ERROR) return DecodeResult::devilError;
    return DecodeResult::ok;
}
