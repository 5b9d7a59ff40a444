#include "catalog/facts_store.h"

#include <algorithm>
#include <cstring>

#include "base/byte_reader.h"

namespace typorama::catalog {
namespace {

constexpr std::uint8_t kMagic[4] = {'T', 'Y', 'F', 'C'};
// path length, size, write time, language, flags: the least an entry takes.
constexpr std::size_t kMinEntrySize = 2 + 8 + 8 + 4 + 1;
constexpr std::uint8_t kReadable = 1, kItalic = 2, kInCollection = 4;
// face flags, weight, embedding, seven name lengths: the least a face takes.
constexpr std::size_t kMinFaceSize = 1 + 4 + 1 + 2 * kNameSlotCount;

class Writer {
public:
    std::vector<std::uint8_t> bytes;
    void U8(std::uint8_t v) { bytes.push_back(v); }
    void U16(std::uint16_t v) { Le(v, 2); }
    void U32(std::uint32_t v) { Le(v, 4); }
    void U64(std::uint64_t v) { Le(v, 8); }
    void Text(const std::u16string& s) {
        U16(static_cast<std::uint16_t>(s.size()));
        for (char16_t c : s) U16(static_cast<std::uint16_t>(c));
    }

private:
    void Le(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
};

bool Fits(const StoredFacts& entry) {
    if (entry.path.empty() || entry.path.size() > UINT16_MAX || entry.faces.size() > kMaxCollectionFaces) return false;
    return std::all_of(entry.faces.begin(), entry.faces.end(), [](const SfntFacts& face) {
        return std::all_of(face.names.begin(), face.names.end(),
                           [](const std::u16string& s) { return s.size() <= UINT16_MAX; });
    });
}

using Reader = ByteReader<ByteOrder::Little>;

std::uint64_t U64(Reader& in) {
    const std::uint64_t low = in.U32();
    return static_cast<std::uint64_t>(in.U32()) << 32 | low;
}

std::u16string Text(Reader& in) {
    const std::uint16_t length = in.U16();
    std::span<const std::uint8_t> units = in.Bytes(std::size_t{length} * 2);
    std::u16string text(units.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(units[2 * i] | units[2 * i + 1] << 8);
    return text;
}

}  // namespace

std::uint64_t FactsStoreChecksum(std::span<const std::uint8_t> body) {
    std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
    for (std::uint8_t b : body) {
        hash ^= b;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::vector<std::uint8_t> EncodeFactsStore(std::span<const StoredFacts> entries) {
    Writer body;
    std::uint32_t count = 0;
    for (const StoredFacts& entry : entries) {
        if (!Fits(entry)) continue;
        ++count;
        body.Text(entry.path);
        body.U64(entry.size);
        body.U64(entry.writeTime);
        body.U32(entry.languageId);
        const bool readable = entry.readable && !entry.faces.empty();
        body.U8(readable ? kReadable : 0);
        if (!readable) continue;
        body.U16(static_cast<std::uint16_t>(entry.faces.size()));
        for (const SfntFacts& face : entry.faces) {
            body.U8(static_cast<std::uint8_t>((face.italic ? kItalic : 0) | (face.face ? kInCollection : 0)));
            if (face.face) body.U32(*face.face);
            body.U32(static_cast<std::uint32_t>(face.weight));
            body.U8(face.embedding);
            for (const std::u16string& name : face.names) body.Text(name);
        }
    }
    Writer out;
    out.bytes.assign(std::begin(kMagic), std::end(kMagic));
    out.U32(kFactsStoreVersion);
    out.U32(count);
    out.U64(FactsStoreChecksum(body.bytes));
    out.bytes.insert(out.bytes.end(), body.bytes.begin(), body.bytes.end());
    return out.bytes;
}

std::optional<std::vector<StoredFacts>> DecodeFactsStore(std::span<const std::uint8_t> bytes) {
    Reader in(bytes);
    std::span<const std::uint8_t> magic = in.Bytes(4);
    const std::uint32_t version = in.U32();
    const std::uint32_t count = in.U32();
    const std::uint64_t checksum = U64(in);
    if (in.Failed() || std::memcmp(magic.data(), kMagic, 4) != 0 || version != kFactsStoreVersion) return std::nullopt;
    if (FactsStoreChecksum(bytes.subspan(kFactsStoreHeaderSize)) != checksum) return std::nullopt;

    std::vector<StoredFacts> entries;
    // The count is the file's claim: room is made only for what the bytes can hold.
    entries.reserve(std::min<std::size_t>(count, in.Remaining() / kMinEntrySize));
    for (std::uint32_t i = 0; i < count; ++i) {
        StoredFacts& entry = entries.emplace_back();
        entry.path = Text(in);
        entry.size = U64(in);
        entry.writeTime = U64(in);
        entry.languageId = in.U32();
        const std::uint8_t flags = in.U8();
        entry.readable = flags & kReadable;
        if (entry.readable) {
            // Also a claim: a face takes bytes, and a file has no more faces than a collection may.
            const std::uint16_t faces = in.U16();
            if (faces == 0 || faces > kMaxCollectionFaces || faces > in.Remaining() / kMinFaceSize) return std::nullopt;
            entry.faces.resize(faces);
            for (SfntFacts& face : entry.faces) {
                const std::uint8_t faceFlags = in.U8();
                face.italic = faceFlags & kItalic;
                if (faceFlags & kInCollection) face.face = in.U32();
                face.weight = static_cast<std::int32_t>(in.U32());
                face.embedding = in.U8();
                for (std::u16string& name : face.names) name = Text(in);
            }
        }
        if (in.Failed() || entry.path.empty()) return std::nullopt;
    }
    if (in.Remaining() != 0) return std::nullopt;
    return entries;
}

}  // namespace typorama::catalog
