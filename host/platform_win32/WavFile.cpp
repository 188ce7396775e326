// The WAV reader and writer behind the Windows build's stand-in for libsndfile.
#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

struct SNDFILE {
    std::FILE* stream = nullptr;
    bool writing = false;
    int channels = 0;
    int encoding = 0; // SF_FORMAT_FLOAT or SF_FORMAT_PCM_16
    sf_count_t framesLeft = 0;
    sf_count_t framesWritten = 0;
    int error = SF_ERR_NO_ERROR;
    std::vector<unsigned char> scratch;
};

namespace {

int openError = SF_ERR_NO_ERROR;

constexpr std::uint16_t wavePcm = 1;
constexpr std::uint16_t waveFloat = 3;
constexpr std::uint16_t waveExtensible = 0xFFFE;
// RIFF header, "fmt " chunk of 18 bytes, "fact" chunk, "data" chunk header.
constexpr long floatHeaderSize = 12 + 8 + 18 + 12 + 8;
constexpr long riffSizeOffset = 4;
constexpr long factFramesOffset = 12 + 8 + 18 + 8;
constexpr long dataSizeOffset = floatHeaderSize - 4;

std::uint32_t read32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

std::uint16_t read16(const unsigned char* bytes) {
    return std::uint16_t(bytes[0] | bytes[1] << 8);
}

void put32(unsigned char* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

void put16(unsigned char* bytes, std::uint16_t value) {
    bytes[0] = static_cast<unsigned char>(value);
    bytes[1] = static_cast<unsigned char>(value >> 8);
}

SNDFILE* fail(std::FILE* stream, int error) {
    if (stream != nullptr) {
        std::fclose(stream);
    }
    openError = error;
    return nullptr;
}

SNDFILE* openForReading(const char* path, SF_INFO* info) {
    std::FILE* stream = std::fopen(path, "rb");
    if (stream == nullptr) {
        return fail(nullptr, SF_ERR_SYSTEM);
    }
    unsigned char riff[12];
    if (std::fread(riff, 1, sizeof riff, stream) != sizeof riff ||
        std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) {
        return fail(stream, SF_ERR_UNRECOGNISED_FORMAT);
    }
    bool haveFormat = false;
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    for (;;) {
        unsigned char chunk[8];
        if (std::fread(chunk, 1, sizeof chunk, stream) != sizeof chunk) {
            return fail(stream, SF_ERR_MALFORMED_FILE);
        }
        const std::uint32_t size = read32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char format[40] = {};
            if (size < 16 || size > sizeof format || std::fread(format, 1, size, stream) != size) {
                return fail(stream, SF_ERR_MALFORMED_FILE);
            }
            tag = read16(format);
            channels = read16(format + 2);
            rate = read32(format + 4);
            bits = read16(format + 14);
            if (tag == waveExtensible && size >= 26) {
                tag = read16(format + 24); // the sub-format GUID starts with the tag
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat || channels == 0) {
                return fail(stream, SF_ERR_MALFORMED_FILE);
            }
            int encoding = 0;
            if (tag == waveFloat && bits == 32) {
                encoding = SF_FORMAT_FLOAT;
            } else if (tag == wavePcm && bits == 16) {
                encoding = SF_FORMAT_PCM_16;
            } else {
                return fail(stream, SF_ERR_UNSUPPORTED_ENCODING);
            }
            const int bytesPerFrame = channels * (bits / 8);
            SNDFILE* file = new (std::nothrow) SNDFILE;
            if (file == nullptr) {
                return fail(stream, SF_ERR_SYSTEM);
            }
            file->stream = stream;
            file->channels = channels;
            file->encoding = encoding;
            file->framesLeft = size / static_cast<std::uint32_t>(bytesPerFrame);
            *info = SF_INFO{};
            info->frames = file->framesLeft;
            info->samplerate = static_cast<int>(rate);
            info->channels = channels;
            info->format = SF_FORMAT_WAV | encoding;
            info->seekable = 1;
            return file;
        } else if (std::fseek(stream, static_cast<long>(size + (size & 1)), SEEK_CUR) != 0) {
            return fail(stream, SF_ERR_MALFORMED_FILE);
        }
    }
}

bool writeHeader(SNDFILE* file, std::uint32_t rate) {
    unsigned char header[floatHeaderSize] = {};
    const auto channels = static_cast<std::uint16_t>(file->channels);
    std::memcpy(header, "RIFF", 4);
    std::memcpy(header + 8, "WAVE", 4);
    std::memcpy(header + 12, "fmt ", 4);
    put32(header + 16, 18);
    put16(header + 20, waveFloat);
    put16(header + 22, channels);
    put32(header + 24, rate);
    put32(header + 28, rate * channels * 4u);
    put16(header + 32, static_cast<std::uint16_t>(channels * 4u));
    put16(header + 34, 32);
    put16(header + 36, 0);
    std::memcpy(header + 38, "fact", 4);
    put32(header + 42, 4);
    std::memcpy(header + 50, "data", 4);
    return std::fwrite(header, 1, sizeof header, file->stream) == sizeof header;
}

SNDFILE* openForWriting(const char* path, SF_INFO* info) {
    if (info->channels < 1 || info->samplerate < 1 ||
        info->format != (SF_FORMAT_WAV | SF_FORMAT_FLOAT)) {
        return fail(nullptr, SF_ERR_UNSUPPORTED_ENCODING);
    }
    std::FILE* stream = std::fopen(path, "wb");
    if (stream == nullptr) {
        return fail(nullptr, SF_ERR_SYSTEM);
    }
    SNDFILE* file = new (std::nothrow) SNDFILE;
    if (file == nullptr) {
        return fail(stream, SF_ERR_SYSTEM);
    }
    file->stream = stream;
    file->writing = true;
    file->channels = info->channels;
    file->encoding = SF_FORMAT_FLOAT;
    if (!writeHeader(file, static_cast<std::uint32_t>(info->samplerate))) {
        delete file;
        return fail(stream, SF_ERR_SYSTEM);
    }
    return file;
}

} // namespace

SNDFILE* sf_open(const char* path, int mode, SF_INFO* info) {
    openError = SF_ERR_NO_ERROR;
    if (path == nullptr || info == nullptr) {
        return fail(nullptr, SF_ERR_SYSTEM);
    }
    if (mode == SFM_READ) {
        return openForReading(path, info);
    }
    if (mode == SFM_WRITE) {
        return openForWriting(path, info);
    }
    return fail(nullptr, SF_ERR_SYSTEM);
}

sf_count_t sf_readf_float(SNDFILE* file, float* frames, sf_count_t count) {
    if (file == nullptr || file->writing || count <= 0 || file->error != SF_ERR_NO_ERROR) {
        return 0;
    }
    const sf_count_t wanted = std::min(count, file->framesLeft);
    const std::size_t samples = static_cast<std::size_t>(wanted) * std::size_t(file->channels);
    const std::size_t sampleBytes = file->encoding == SF_FORMAT_FLOAT ? 4 : 2;
    file->scratch.resize(samples * sampleBytes);
    const std::size_t got = std::fread(file->scratch.data(), sampleBytes, samples, file->stream);
    const std::size_t whole = got / std::size_t(file->channels);
    for (std::size_t i = 0; i < whole * std::size_t(file->channels); ++i) {
        const unsigned char* bytes = file->scratch.data() + i * sampleBytes;
        if (file->encoding == SF_FORMAT_FLOAT) {
            const std::uint32_t bits = read32(bytes);
            std::memcpy(&frames[i], &bits, 4);
        } else {
            frames[i] = static_cast<float>(static_cast<std::int16_t>(read16(bytes))) / 32768.0f;
        }
    }
    if (got < samples) {
        file->error = SF_ERR_MALFORMED_FILE; // the data chunk is shorter than it claims
    }
    file->framesLeft -= static_cast<sf_count_t>(whole);
    return static_cast<sf_count_t>(whole);
}

sf_count_t sf_writef_float(SNDFILE* file, const float* frames, sf_count_t count) {
    if (file == nullptr || !file->writing || count <= 0 || file->error != SF_ERR_NO_ERROR) {
        return 0;
    }
    const std::size_t samples = static_cast<std::size_t>(count) * std::size_t(file->channels);
    file->scratch.resize(samples * 4);
    for (std::size_t i = 0; i < samples; ++i) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &frames[i], 4);
        put32(file->scratch.data() + i * 4, bits);
    }
    if (std::fwrite(file->scratch.data(), 4, samples, file->stream) != samples) {
        file->error = SF_ERR_SYSTEM;
        return 0;
    }
    file->framesWritten += count;
    return count;
}

int sf_close(SNDFILE* file) {
    if (file == nullptr) {
        return SF_ERR_SYSTEM;
    }
    int result = file->error;
    if (file->writing && result == SF_ERR_NO_ERROR) {
        const auto dataBytes = static_cast<std::uint32_t>(file->framesWritten * file->channels * 4);
        unsigned char value[4];
        const auto patch = [&](long offset, std::uint32_t number) {
            put32(value, number);
            return std::fseek(file->stream, offset, SEEK_SET) == 0 &&
                   std::fwrite(value, 1, 4, file->stream) == 4;
        };
        if (!patch(riffSizeOffset, static_cast<std::uint32_t>(floatHeaderSize - 8) + dataBytes) ||
            !patch(factFramesOffset, static_cast<std::uint32_t>(file->framesWritten)) ||
            !patch(dataSizeOffset, dataBytes)) {
            result = SF_ERR_SYSTEM;
        }
    }
    if (std::fclose(file->stream) != 0 && result == SF_ERR_NO_ERROR) {
        result = SF_ERR_SYSTEM;
    }
    delete file;
    return result;
}

int sf_error(SNDFILE* file) {
    return file != nullptr ? file->error : openError;
}

const char* sf_error_number(int error) {
    switch (error) {
    case SF_ERR_NO_ERROR:
        return "No error.";
    case SF_ERR_UNRECOGNISED_FORMAT:
        return "Not a WAV file.";
    case SF_ERR_SYSTEM:
        return "System error.";
    case SF_ERR_MALFORMED_FILE:
        return "Malformed WAV file.";
    case SF_ERR_UNSUPPORTED_ENCODING:
        return "Only 32-bit float and 16-bit integer WAV files are supported.";
    default:
        return "Unknown error.";
    }
}

const char* sf_strerror(SNDFILE* file) {
    return sf_error_number(sf_error(file));
}
