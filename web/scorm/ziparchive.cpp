#include "scorm/ziparchive.h"

#include <stdint.h>

#include <zlib.h>

namespace {

enum : uint32_t {
    LocalHeaderSignature = 0x04034b50,
    CentralHeaderSignature = 0x02014b50,
    EndSignature = 0x06054b50,
    ZipLimit = 0xFFFFFFFFu,  // a 32-bit size or offset; all ones marks the 64-bit extension
};
enum : uint16_t {
    Stored = 0,
    Deflated = 8,
    DosDate = (0 << 9) | (1 << 5) | 1,  // 1 January 1980 (years from 1980, month, day)
    DosTime = 0,
    MadeBy = 20,  // version 2.0, MS-DOS attributes
};

void put16(std::string* out, uint32_t value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string* out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The raw deflate stream of data (no zlib header), best compression.
bool deflateBytes(const unsigned char* data, size_t size, std::string* out) {
    z_stream stream = {};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out->resize(deflateBound(&stream, static_cast<uLong>(size)));
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = reinterpret_cast<Bytef*>(&(*out)[0]);
    stream.avail_out = static_cast<uInt>(out->size());
    const int status = deflate(&stream, Z_FINISH);
    out->resize(stream.total_out);
    deflateEnd(&stream);
    return status == Z_STREAM_END;
}

struct Written {
    uint32_t crc, size, packedSize, offset;
    uint16_t method;
};

// The fields local and central headers share, from "version needed" to the
// name's length and the extra field's (none).
void putCommon(std::string* out, const ZipEntry& entry, const Written& written) {
    put16(out, written.method == Deflated ? 20 : 10);
    put16(out, 0);  // no flags: sizes in the header, ASCII names
    put16(out, written.method);
    put16(out, DosTime);
    put16(out, DosDate);
    put32(out, written.crc);
    put32(out, written.packedSize);
    put32(out, written.size);
    put16(out, static_cast<uint32_t>(entry.name.size()));
    put16(out, 0);
}

}  // namespace

bool writeZip(const std::vector<ZipEntry>& entries, std::string* archive) {
    archive->clear();
    if (entries.size() >= 0xFFFF) return false;
    std::vector<Written> written;
    std::string packed;
    for (const ZipEntry& entry : entries) {
        // Each size and the offset after it stay below the 32-bit limit.
        if (entry.size >= ZipLimit || entry.name.size() >= 0xFFFF || archive->size() >= ZipLimit) break;
        Written one = {0, static_cast<uint32_t>(entry.size), 0, static_cast<uint32_t>(archive->size()), Deflated};
        one.crc = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), entry.data, static_cast<uInt>(entry.size)));
        if (!deflateBytes(entry.data, entry.size, &packed)) break;
        const bool store = packed.size() >= entry.size;
        if (store) one.method = Stored;
        const char* body = store ? reinterpret_cast<const char*>(entry.data) : packed.data();
        const size_t bodySize = store ? entry.size : packed.size();
        one.packedSize = static_cast<uint32_t>(bodySize);
        if (archive->size() + 30 + entry.name.size() + bodySize >= ZipLimit) break;
        put32(archive, LocalHeaderSignature);
        putCommon(archive, entry, one);
        archive->append(entry.name);
        archive->append(body, bodySize);
        written.push_back(one);
    }
    if (written.size() != entries.size()) {
        archive->clear();
        return false;
    }
    const size_t directory = archive->size();
    for (size_t i = 0; i < entries.size(); ++i) {
        put32(archive, CentralHeaderSignature);
        put16(archive, MadeBy);
        putCommon(archive, entries[i], written[i]);
        put16(archive, 0);  // no comment
        put16(archive, 0);  // disk 0
        put16(archive, 0);  // internal attributes
        put32(archive, 0);  // external attributes
        put32(archive, written[i].offset);
        archive->append(entries[i].name);
    }
    const size_t directorySize = archive->size() - directory;
    if (archive->size() >= ZipLimit) {
        archive->clear();
        return false;
    }
    put32(archive, EndSignature);
    put16(archive, 0);  // this disk
    put16(archive, 0);  // the directory's disk
    put16(archive, static_cast<uint32_t>(entries.size()));
    put16(archive, static_cast<uint32_t>(entries.size()));
    put32(archive, static_cast<uint32_t>(directorySize));
    put32(archive, static_cast<uint32_t>(directory));
    put16(archive, 0);  // no comment
    return true;
}
