// The workspace mode: every entry of an XML workspace file converted in
// document order, stopping at the first failure.
#include <strings.h>

#include <cstdio>
#include <memory>
#include <string>

#include "front_end.h"
#include "shared.h"
#include "terminal_status.h"
#include "xml_document.h"

namespace {

constexpr const char* kWorkspaceTool = "Vostrel";
constexpr const char* kWorkspaceGuid = "72659ff8-aa3f-4b50-95ad-176be895b937";

bool AttributeEquals(const XmlElement& element, const char* name, const char* expected) {
    const char* value = element.Attribute(name);
    return value != nullptr && strcasecmp(value, expected) == 0;
}

bool HeaderIsValid(const XmlElement& header) {
    return header && header.NameIs("Header") && AttributeEquals(header, "tool", kWorkspaceTool) &&
           AttributeEquals(header, "version", FormatProgramVersion().c_str()) &&
           AttributeEquals(header, "guid", kWorkspaceGuid);
}

uint32_t CountEntries(const XmlElement& header) {
    uint32_t count = 0;
    for (XmlElement entry = header.FirstChildElement(); entry; entry = entry.NextSiblingElement()) {
        ++count;
    }
    return count;
}

// entryIndex of entryCount, from 0: where the status line says the run is.
RunResult RunEntry(const XmlElement& entry, uint32_t entryIndex, uint32_t entryCount) {
    if (!entry.NameIs("Entry")) {
        return RunResult::Usage("ERROR: Entry in file is invalid. Please check format.");
    }
    const char* sourcePath = entry.Attribute("source");
    const char* destinationPath = entry.Attribute("destination");
    const char* compression = entry.Attribute("compression");
    const char* widthText = entry.Attribute("width");
    const char* heightText = entry.Attribute("height");
    const char* mipmap = entry.Attribute("mipmap");
    if (sourcePath == nullptr || destinationPath == nullptr || compression == nullptr) {
        return RunResult::Usage("ERROR: Invalid number of required arguments for entry.");
    }

    std::unique_ptr<TextureImage, decltype(&FreeTextureImage)> source(CreateTextureImage(),
                                                                      &FreeTextureImage);
    char message[kMessageBufferSize] = {};
    if (!source || !LoadImage(sourcePath, source.get(), message)) {
        return RunResult::Usage("ERROR: Input image could not be loaded.");
    }
    uint32_t format = 0;
    if (!ParseCompressionType(compression, &format)) {
        return RunResult::Usage("INVALID COMPRESSION TYPE.");
    }
    const uint32_t width = widthText != nullptr ? ParseSizeArgument(widthText) : 0;
    const uint32_t height = heightText != nullptr ? ParseSizeArgument(heightText) : 0;
    const bool generateMips = mipmap != nullptr && strcasecmp(mipmap, "yes") == 0;

    const std::string announcement =
        std::string("Compressing ") + sourcePath + " as type " + compression + "... ";
    std::fputs(announcement.c_str(), stderr);
    SetStatusEntry(entryIndex, entryCount, sourcePath, announcement);
    RunResult result =
        ConvertAndSave(source.get(), format, width, height, generateMips, destinationPath);
    if (result.ending == RunResult::Ending::Completed) {
        std::fprintf(stderr, "Saved to %s\n\n", destinationPath);
    }
    return result;
}

}  // namespace

RunResult RunWorkspace(const char* path) {
    XmlDocument document;
    if (!document.LoadFile(path)) {
        return RunResult::Usage("ERROR: Workspace file is invalid. Please check format.");
    }
    const XmlElement header = document.FirstChildElement();
    if (!HeaderIsValid(header)) {
        return RunResult::Usage("ERROR: Workspace header is invalid. Please check format.");
    }
    const uint32_t entryCount = CountEntries(header);
    uint32_t entryIndex = 0;
    for (XmlElement entry = header.FirstChildElement(); entry;
         entry = entry.NextSiblingElement(), ++entryIndex) {
        RunResult result = RunEntry(entry, entryIndex, entryCount);
        if (result.ending != RunResult::Ending::Completed) {
            return result;
        }
    }
    return RunResult::Completed();
}
