// WAV files are checked chunk by chunk against their real size before a sample is taken, so a
// truncated, mislabelled or hostile file is refused with its reason instead of misread.
#include "core/wave_file.h"

#include <cerrno>
#include <cstring>

#include "core/files.h"

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::uint32_t kHeaderBytes = 44;

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

void put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}

void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

bool refuse(const std::string& name, const std::string& reason, std::string& error) {
    error = "Sound file " + name + ": " + reason;
    return false;
}

// The format chunk's promise: 16-bit PCM, one or two channels, at the game's rate.
bool checkFormat(const std::uint8_t* fmt, std::uint32_t size, const std::string& name,
                 int& channels, std::string& error) {
    if (size < 16) return refuse(name, "its format chunk is too short", error);
    std::uint16_t tag = le16(fmt);
    // The extensible header names the real format in the first two bytes of its sub-format.
    if (tag == kFormatExtensible && size >= 40) tag = le16(fmt + 24);
    const std::uint16_t count = le16(fmt + 2);
    const std::uint32_t rate = le32(fmt + 4);
    const std::uint16_t bits = le16(fmt + 14);
    if (tag != kFormatPcm) {
        return refuse(name,
                      "holds compressed or floating-point sound (format " + std::to_string(tag) +
                          "); only 16-bit PCM is played",
                      error);
    }
    if (bits != 16) {
        return refuse(name, "has " + std::to_string(bits) + "-bit samples; only 16-bit is played",
                      error);
    }
    if (count != 1 && count != 2) {
        return refuse(name, "has " + std::to_string(count) + " channels; only mono or stereo",
                      error);
    }
    if (rate != kSoundRate) {
        return refuse(name,
                      "is sampled at " + std::to_string(rate) + " Hz; the game's sounds are " +
                          std::to_string(kSoundRate) + " Hz",
                      error);
    }
    if (le16(fmt + 12) != count * 2) return refuse(name, "its block size does not match", error);
    channels = count;
    return true;
}

}  // namespace

bool parseWave(const std::vector<std::uint8_t>& b, const std::string& name, WaveSound& sound,
               std::string& error) {
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
        std::memcmp(&b[8], "WAVE", 4) != 0) {
        return refuse(name, "is not a RIFF/WAVE file", error);
    }
    if (b.size() > kMaxSoundFileBytes) return refuse(name, "is too large for a sound", error);
    const std::uint8_t* fmt = nullptr;
    std::uint32_t fmtSize = 0;
    const std::uint8_t* data = nullptr;
    std::uint32_t dataSize = 0;
    // Chunks follow each other, each padded to an even length; the RIFF size is not trusted.
    std::size_t at = 12;
    while (b.size() - at >= 8) {
        const std::uint32_t size = le32(&b[at + 4]);
        if (size > b.size() - at - 8) {
            return refuse(name, "is truncated: a chunk runs past the end of the file", error);
        }
        const std::uint8_t* body = &b[at + 8];
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && !fmt) {
            fmt = body;
            fmtSize = size;
        } else if (std::memcmp(&b[at], "data", 4) == 0 && !data) {
            data = body;
            dataSize = size;
        }
        at += 8 + std::size_t{size} + (size & 1);
        if (at > b.size()) break;
    }
    if (!fmt) return refuse(name, "has no format chunk", error);
    int channels = 1;
    if (!checkFormat(fmt, fmtSize, name, channels, error)) return false;
    if (!data) return refuse(name, "has no data chunk", error);
    const std::uint32_t frameBytes = 2u * static_cast<std::uint32_t>(channels);
    if (dataSize == 0) return refuse(name, "holds no samples", error);
    if (dataSize % frameBytes != 0) {
        return refuse(name, "is truncated: its data ends inside a sample", error);
    }
    sound.channels = channels;
    sound.samples.resize(dataSize / 2);
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = static_cast<std::int16_t>(le16(data + 2 * i));
    }
    return true;
}

bool readWaveFile(const std::string& path, WaveSound& sound, std::string& error) {
    const FileContent file = readRegularFile(path, kMaxSoundFileBytes);
    switch (file.status) {
        case FileContent::Status::ok:
            return parseWave({file.data.begin(), file.data.end()}, path, sound, error);
        case FileContent::Status::missing:
        case FileContent::Status::folder:
        case FileContent::Status::notRegular:
            return refuse(path, "is missing or not a file", error);
        case FileContent::Status::tooLarge:
            return refuse(path, "is too large for a sound", error);
        case FileContent::Status::unreadable:
            break;
    }
    return refuse(path, "cannot be read", error);
}

StereoWaveWriter::~StereoWaveWriter() {
    if (file_) std::fclose(file_);
}

bool StereoWaveWriter::fail(const std::string& reason, std::string& error) {
    error = "Sound file " + path_ + " cannot be written: " + reason;
    if (file_) std::fclose(file_);
    file_ = nullptr;
    return false;
}

bool StereoWaveWriter::open(const std::string& path, std::string& error) {
    if (file_) std::fclose(file_);
    path_ = path;
    dataBytes_ = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return fail(std::strerror(errno), error);
    std::uint8_t header[kHeaderBytes] = {'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                                         'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
    put16(header + 20, kFormatPcm);
    put16(header + 22, 2);
    put32(header + 24, kSoundRate);
    put32(header + 28, kSoundRate * 4);
    put16(header + 32, 4);
    put16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    put32(header + 4, kHeaderBytes - 8);
    if (std::fwrite(header, 1, sizeof header, file_) != sizeof header) {
        return fail(std::strerror(errno), error);
    }
    return true;
}

bool StereoWaveWriter::write(const std::vector<std::int16_t>& interleaved, std::string& error) {
    if (!file_) return fail("it is not open", error);
    if (interleaved.size() % 2 != 0) return fail("a stereo sample is cut in half", error);
    // The header's sizes are 32 bits: about 13 hours of sound.
    if (dataBytes_ + 2 * interleaved.size() > 0xFFFFFFFFu - kHeaderBytes) {
        return fail("too long for a WAV file", error);
    }
    // Little-endian whatever the machine, through a small buffer on the stack.
    std::uint8_t bytes[4096];
    for (std::size_t i = 0; i < interleaved.size();) {
        std::size_t n = 0;
        for (; n < sizeof bytes && i < interleaved.size(); n += 2, ++i) {
            put16(bytes + n, static_cast<std::uint16_t>(interleaved[i]));
        }
        if (std::fwrite(bytes, 1, n, file_) != n) return fail(std::strerror(errno), error);
    }
    dataBytes_ += 2 * interleaved.size();
    return true;
}

bool StereoWaveWriter::finish(std::string& error) {
    if (!file_) return fail("it is not open", error);
    std::uint8_t riffSize[4], dataSize[4];
    put32(riffSize, static_cast<std::uint32_t>(dataBytes_ + kHeaderBytes - 8));
    put32(dataSize, static_cast<std::uint32_t>(dataBytes_));
    if (std::fseek(file_, 4, SEEK_SET) != 0 || std::fwrite(riffSize, 1, 4, file_) != 4 ||
        std::fseek(file_, 40, SEEK_SET) != 0 || std::fwrite(dataSize, 1, 4, file_) != 4) {
        return fail(std::strerror(errno), error);
    }
    const int closed = std::fclose(file_);
    file_ = nullptr;
    return closed == 0 || fail(std::strerror(errno), error);
}
