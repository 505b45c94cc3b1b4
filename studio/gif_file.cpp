#include "studio/gif_file.h"

#include "common/byte_reader.h"
#include "common/file_io.h"
#include "studio/gif_reader.h"

namespace vt {
namespace {

// A GIF the Studio reads is at most 64 x 64 pixels; this leaves ample room for extensions.
constexpr size_t kGifFileLimit = size_t{16} << 20;

bool Fail(IconResource& doc, ImageHost& host, bool incompatible) {
    if (incompatible)
        host.Ask(kGifIncompatibleText, PromptButtons::OkCancel, PromptIcon::Exclamation);
    NewResource(doc, kIconResource, host);
    host.Ask(kGifReadErrorText, PromptButtons::OkCancel, PromptIcon::Exclamation);
    return false;
}

}  // namespace

bool ReadGifFile(IconResource& doc, ImageHost& host, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, &bytes, kGifFileLimit)) return false;
    GifPicture pic;
    switch (ParseGif(bytes, &pic)) {
        case GifReadError::None:
            break;
        case GifReadError::Incompatible:
            return Fail(doc, host, true);
        case GifReadError::Corrupt:
            return Fail(doc, host, false);
    }

    IconImage prepared;
    prepared.width = pic.width;
    prepared.height = pic.height;
    prepared.colorCode = kColors256;
    if (!prepared.AllocateBlock()) {
        host.Tell(kOutOfMemoryText, PromptIcon::Exclamation);
        return Fail(doc, host, false);
    }
    uint8_t* table = prepared.ColorTable().data();
    for (size_t i = 0; i < pic.table.size(); ++i) StoreLE32(table + 4 * i, pic.table[i]);
    for (int32_t y = 0; y < pic.height; ++y)
        for (int32_t x = 0; x < pic.width; ++x) {
            const size_t p = static_cast<size_t>(y) * pic.width + x;
            prepared.SetXorValue(x, y, pic.indices[p]);
            prepared.SetAndBit(x, y, pic.masked[p] != 0);
        }

    FreeAllImages(doc);
    doc.activeFormat = {pic.width, pic.height, kColors256};
    if (!FindOrCreateImage(doc, prepared.block.data(), prepared.block.size(), host)) {
        host.Tell(kOutOfMemoryText, PromptIcon::Exclamation);
        return Fail(doc, host, false);
    }
    IconImage& img = *doc.ActiveImage();
    img.screenColor = 0;
    img.inverseColor = 0;
    // Said before activation's own warnings, which are about the colours, not the file.
    if (pic.incomplete) host.Tell(kGifIncompleteText, PromptIcon::Information);
    ActivateImage(doc, host);
    CommitImageBits(doc, host);
    doc.resourceType = kGifResource;
    doc.commands.newImageFormat = false;
    doc.commands.setHotSpot = false;
    doc.commands.save = false;
    doc.modified = false;
    doc.untitled = false;
    doc.path = path;
    doc.fileType = kGifFile;
    return true;
}

GifWriteStatus EncodeGifDocument(IconResource& doc, ImageHost& host, bool interlaced,
                                 std::vector<uint8_t>* out) {
    out->clear();
    const IconImage* img = doc.ActiveImage();
    if (!img || !img->HasBits() || !IsPaletteBased(img->colorCode))
        return GifWriteStatus::Unsupported;
    GifSource source;
    source.width = img->width;
    source.height = img->height;
    source.colourCode = img->colorCode;
    const auto table = img->ColorTable();
    for (size_t i = 0; i + 4 <= table.size(); i += 4)
        source.table.push_back(LoadLE32(table.data() + i));
    source.indices.reserve(static_cast<size_t>(img->width) * img->height);
    source.masked.reserve(source.indices.capacity());
    for (int32_t y = 0; y < img->height; ++y)
        for (int32_t x = 0; x < img->width; ++x) {
            source.indices.push_back(static_cast<uint8_t>(img->XorValue(x, y)));
            source.masked.push_back(img->AndBit(x, y) ? 1 : 0);
        }
    source.colourA = static_cast<uint8_t>(img->colorA.value);
    source.colourB = static_cast<uint8_t>(img->colorB.value);
    source.imageCount = static_cast<int>(doc.images.size());

    ScriptedPrompt silent;
    Prompt& prompt = host.prompt ? *host.prompt : static_cast<Prompt&>(silent);
    if (doc.images.size() == 1 && doc.untitled) doc.resourceType = kGifResource;
    return EncodeGif(source, interlaced, prompt, out);
}

GifWriteStatus WriteGifFile(IconResource& doc, ImageHost& host, const std::string& path,
                            bool interlaced, const std::string& prefix) {
    std::vector<uint8_t> bytes;
    const GifWriteStatus status = EncodeGifDocument(doc, host, interlaced, &bytes);
    if (status != GifWriteStatus::Ok) return status;
    if (!WriteFileReplacing(path, prefix, bytes)) return GifWriteStatus::WriteFailed;
    doc.resourceType = kGifResource;
    doc.commands.save = false;
    doc.modified = false;
    for (IconImage& i : doc.images) i.changed = false;
    return GifWriteStatus::Ok;
}

}  // namespace vt
