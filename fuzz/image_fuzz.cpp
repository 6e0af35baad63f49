// Fuzz target: any bytes as an image file, through the content sniffing and size checks into
// DevIL's decoders and the format conversion, as the texture manager does before the upload.
// A decoded image must hold every byte the upload would read.
#include <IL/il.h>
#include <IL/ilu.h>

#include "fuzz/fuzz_check.h"
#include "gfx/image_decode.h"
#include "gfx/image_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        ilInit();
        iluInit();
        return true;
    }();
    (void)ready;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const std::vector<std::uint8_t> bytes(data, data + size);
    if (decodeImage(bytes, kMaxImageSide) == DecodeResult::ok) {
        const ILint width = ilGetInteger(IL_IMAGE_WIDTH);
        const ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
        const ILint pixelBytes = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
        FUZZ_CHECK(ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE);
        FUZZ_CHECK(pixelBytes == 3 || pixelBytes == 4);
        FUZZ_CHECK(width > 0 && height > 0);
        FUZZ_CHECK(width <= static_cast<ILint>(kMaxImageSide));
        FUZZ_CHECK(height <= static_cast<ILint>(kMaxImageSide));
        // Read every byte glTexImage2D would: AddressSanitizer sees a buffer that is short.
        const std::size_t count =
            std::size_t(width) * std::size_t(height) * std::size_t(pixelBytes);
        FUZZ_CHECK(std::size_t(ilGetInteger(IL_IMAGE_SIZE_OF_DATA)) >= count);
        const ILubyte* pixels = ilGetData();
        ILubyte any = 0;
        for (std::size_t i = 0; i < count; ++i) any |= pixels[i];
        volatile ILubyte sink = any;
        (void)sink;
    }
    ilDeleteImages(1, &image);
    return 0;
}
