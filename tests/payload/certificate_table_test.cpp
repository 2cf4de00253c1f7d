#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "payload/certificate_table.h"
#include "payload/launcher_trailer.h"
#include "support/launcher_builder.h"
#include "support/temp_dir.h"

namespace {

const std::string kIdentification = "\xCA\x82\xCA\x82";

std::string littleEndian(uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) {
        text += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return text;
}

// The headers of a program image up to the end of its data directory, whose
// security entry names `start` and `length`.
struct ImageHeaders {
    uint32_t magic = 0x20B;  // PE32+; 0x10B is PE32
    uint32_t entries = 16;   // data directory entries
    uint32_t start = 0;
    uint32_t length = 0;

    std::string bytes() const {
        const int countField = magic == 0x10B ? 92 : 108;
        const int optionalSize = countField + 4 + 8 * 16;
        std::string image = "MZ" + std::string(0x3A, '\0') + littleEndian(0x40, 4);
        image += "PE" + std::string(2, '\0');
        image += std::string(16, '\0') + littleEndian(optionalSize, 2) + std::string(2, '\0');
        std::string optional = littleEndian(magic, 2) + std::string(countField - 2, '\0');
        optional += littleEndian(entries, 4) + std::string(4 * 8, '\0');
        optional += littleEndian(start, 4) + littleEndian(length, 4);
        optional += std::string(optionalSize - optional.size(), '\0');
        return image + optional;
    }
};

// A launcher file made of headers, a payload of 100 bytes that ends with its
// trailer, 8 bytes of padding and a certificate table of 64 bytes that holds
// the identification value, as a signature may by chance.
std::string signedFile(ImageHeaders headers, int tableEndsBeforeFileEnd = 0) {
    const std::string table = std::string(20, 's') + kIdentification + std::string(40, 's');
    const size_t payloadEnd = headers.bytes().size() + 100;
    headers.start = static_cast<uint32_t>(payloadEnd + 8);
    headers.length = static_cast<uint32_t>(table.size() - tableEndsBeforeFileEnd);
    std::string file = headers.bytes();
    file += std::string(100 - 8, 'p') + std::string(4, '\0') + kIdentification;
    return file + std::string(8, '\0') + table;
}

std::optional<int32_t> trailerEndOf(const std::string& bytes) {
    TempDir directory;
    const std::string path = directory.file("launcher.exe");
    writeFile(path, bytes);
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    const std::optional<int32_t> end = locateTrailerEnd(stream);
    std::fclose(stream);
    return end;
}

TEST(CertificateTable, TheTrailerIsFoundInFrontOfASignature) {
    ImageHeaders pe32;
    pe32.magic = 0x10B;
    // The trailer ends in front of the padding and the table: 72 bytes.
    EXPECT_EQ(trailerEndOf(signedFile(ImageHeaders{})), -72);
    EXPECT_EQ(trailerEndOf(signedFile(pe32)), -72);
}

TEST(CertificateTable, ATableThatDoesNotEndTheFileIsNoSignatureOfIt) {
    // Bytes follow the table (or the entry is wrong): the scan starts at the
    // end and finds the value in the table, 40 bytes before the end.
    EXPECT_EQ(trailerEndOf(signedFile(ImageHeaders{}, 1)), -40);
}

TEST(CertificateTable, MalformedHeadersLeaveTheWholeFile) {
    const std::string file = signedFile(ImageHeaders{});
    ImageHeaders fewEntries;
    fewEntries.entries = 4;
    std::string farHeader = file;
    farHeader.replace(0x3C, 4, littleEndian(0x7FFFFFF0, 4));
    std::string wrongMagic = file;
    wrongMagic[0x40 + 24] = 0x0C;
    const std::string cases[] = {
        signedFile(fewEntries),
        farHeader,
        wrongMagic,
        "\x7F"
        "ELF" +
            file.substr(4),    // no program image of Windows
        file.substr(0, 0x50),  // headers cut short
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(trailerEndOf(bytes),
                  bytes.size() > 100 ? std::optional<int32_t>(-40) : std::nullopt);
    }
}

}  // namespace
