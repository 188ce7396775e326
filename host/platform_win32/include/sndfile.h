// The part of libsndfile's interface that plughost uses, for Windows builds, where Debian has
// no libsndfile to link. It reads and writes WAV files only: 32-bit float (what render writes
// and what the Linux build writes too) and 16-bit integer input, so the same files pass
// between the two builds unconverted.
#pragma once

#include <cstdint>

using sf_count_t = std::int64_t;

struct SF_INFO {
    sf_count_t frames;
    int samplerate;
    int channels;
    int format;
    int sections;
    int seekable;
};

struct SNDFILE;

enum {
    SFM_READ = 0x10,
    SFM_WRITE = 0x20,
};

enum {
    SF_FORMAT_WAV = 0x010000,
    SF_FORMAT_PCM_16 = 0x0002,
    SF_FORMAT_FLOAT = 0x0006,
    SF_FORMAT_SUBMASK = 0x0000FFFF,
    SF_FORMAT_TYPEMASK = 0x0FFF0000,
};

enum {
    SF_ERR_NO_ERROR = 0,
    SF_ERR_UNRECOGNISED_FORMAT = 1,
    SF_ERR_SYSTEM = 2,
    SF_ERR_MALFORMED_FILE = 3,
    SF_ERR_UNSUPPORTED_ENCODING = 4,
};

// Opens a file for reading (info receives what the file holds) or for writing (info says what
// to write: WAV with 32-bit float samples only). Null on failure; sf_strerror(nullptr) then
// tells why.
SNDFILE* sf_open(const char* path, int mode, SF_INFO* info);
// Interleaved frames; the number read or written, 0 at the end or on an error.
sf_count_t sf_readf_float(SNDFILE* file, float* frames, sf_count_t count);
sf_count_t sf_writef_float(SNDFILE* file, const float* frames, sf_count_t count);
// Completes a written file's header; 0 on success, else an error number.
int sf_close(SNDFILE* file);
int sf_error(SNDFILE* file);
const char* sf_strerror(SNDFILE* file);
const char* sf_error_number(int error);
