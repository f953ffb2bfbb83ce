// Writes the fuzzers' seed corpus: small files of each kind of outside data, made here rather
// than kept as binaries. Usage: sorabell_fuzz_seeds FOLDER (one subfolder per fuzzer, made anew).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "support/BmpWriter.h"
#include "support/Id3v2Builder.h"
#include "support/TagFixtures.h"
#include "support/ZipBuilder.h"

namespace {

namespace fs = std::filesystem;
using namespace sorabell::testing;

void WriteSeeds(const fs::path& folder, const std::vector<std::string>& seeds) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream(folder / ("seed-" + std::to_string(i)), std::ios::binary) << seeds[i];
    }
}

std::string FullInfoList() {
    return InfoList({TextChunk("ISFT", "soft"), TextChunk("INAM", "春の歌"), TextChunk("IART", "歌手"),
                     TextChunk("IPRD", "アルバム"), TextChunk("ICMT", ""), TextChunk("IGNR", "Rock"),
                     TextChunk("ICRD", "1999/05/01"), TextChunk("ICOP", "(C)"), TextChunk("INAM", "春の歌"),
                     TextChunk("IENG", "eng"), TextChunk("ISRC", "CD"),
                     Chunk("IID3", Id3Block("t", "a", "b", "1999"))});
}

std::string Form(const std::string& body) { return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body; }

// Music files as they come: RMP forms in their usual and unusual layouts, plain MP3 files.
std::vector<std::string> MusicFiles() {
    const std::string audio = MpegPayload(301);
    std::string beyond = RmpFile(audio, {InfoList({TextChunk("INAM", "x")})});
    beyond.replace(FindId(beyond, "data") + 4, 4, Le32(100000));
    return {
        RmpFile(audio, {FullInfoList()}),
        RmpFile(audio, {InfoList({TextChunk("INAM", "old")}), Chunk("junk", "zz")}) +
            Id3Block("appended", "", "", "", "", 17),
        Form("RMP3" + InfoList({TextChunk("INAM", "before the audio")}) + Chunk("data", audio)),
        "RIFF" + Le32(4 + 8 + 301) + "RMP3" + "data" + Le32(301) + audio,
        beyond,
        RmpFile(audio, {Chunk("ILYC", "[00:01]la"), InfoList({TextChunk("INAM", "old")}), Chunk("DISP", "odd"),
                        Chunk("LIST", "adtl" + Chunk("labl", "x"))}),
        Form("WAVE" + Chunk("data", "abcd")),
        MpegPayload(500) + Id3Block("タイトル", "artist", "album", "2001", "comment", 255),
        "TAG" + std::string(125, 'x'),
    };
}

// ID3v2 tags of each version and layout, before a little audio.
std::vector<std::string> Id3v2Files() {
    const std::string audio = MpegPayload(64);
    const std::string wide = FrameText(1, "\xFF\xFE" + std::string("A\0\xFF\0", 4));
    const std::string comment = std::string("\0jpn", 4) + std::string("\0Note\0", 6);
    const std::string sylt = std::string("\0jpn\2\1\0", 7) + std::string("One\0", 4) + BigEndian(1500, 4);
    return {
        Id3v2Bytes(2, Id3v2Frame(2, "TT2", FrameText(0, "歌の題名")) + Id3v2Frame(2, "TCO", FrameText(0, "(17)")) +
                          std::string(8, '\0')) +
            audio,
        Id3v2Bytes(3, Id3v2Frame(3, "TIT2", wide) + Id3v2Frame(3, "COMM", comment) + Id3v2Frame(3, "SYLT", sylt)) +
            audio,
        Id3v2Bytes(3, Unsynchronise(Id3v2Frame(3, "TIT2", wide) + Id3v2Frame(3, "TCON", FrameText(0, "(RX)"))), 0x80) +
            audio,
        Id3v2Bytes(3, BigEndian(6, 4) + std::string(6, '\0') + Id3v2Frame(3, "TPE1", FrameText(0, "artist")), 0x40),
        Id3v2Bytes(4, Id3v2Frame(4, "TIT2", FrameText(3, "\xE6\xAD\x8C")) +
                          Id3v2Frame(4, "TDRC", FrameText(0, "2004-05-06")) +
                          Id3v2Frame(4, "TALB", SyncSafe(static_cast<uint32_t>(wide.size())) + Unsynchronise(wide),
                                     {.format = 3})),
        Id3v2Bytes(4, Id3v2Frame(4, "TIT2", FrameText(2, std::string(300, 'x')), {.plainSize = true}) +
                          Id3v2Frame(4, "TPE1", FrameText(0, "a"))),
        Id3v2Bytes(4, SyncSafe(6) + std::string("\1\0", 2) + Id3v2Frame(4, "USLT", "\3eng\0[00:01]la")) + audio,
        Id3v2Bytes(3, Id3v2Frame(3, "TIT2", FrameText(0, "cut"), {.claimedSize = 0x7FFFFFFF})),
    };
}

std::vector<std::string> WriteInputs() {
    std::vector<std::string> inputs;
    int n = 0;
    for (const std::string& file : MusicFiles()) {
        std::string input;
        input += static_cast<char>((n % 2) | (n == 1 || n == 3 ? 2 : 0));  // the slot, a size limit
        input += static_cast<char>(n * 37);
        for (const char* text : {"歌手", "題名", "", "1999/05/01", "comment ", "rock", "(C)", "", "CD", "soft"}) {
            sorabell::fuzz::AppendText(input, text);
        }
        inputs.push_back(input + file);
        ++n;
    }
    return inputs;
}

std::vector<std::string> IniInputs() {
    const std::string winamp =
        "[Winamp]\r\nskin=Base\r\nplugin_dir=C:\\Program Files\\Winamp\\Plugins\r\n\r\n"
        "[Sorabell]\r\nFont=ＭＳ ゴシック\r\nColor='$00FF00'\r\n";
    std::vector<std::string> inputs;
    for (const auto& [section, key, value] :
         {std::tuple{"Winamp", "skin", "Green"}, std::tuple{"new", "k", "\"v\""}, std::tuple{"", "top", " spaced "}}) {
        std::string input;
        sorabell::fuzz::AppendText(input, section);
        sorabell::fuzz::AppendText(input, key);
        sorabell::fuzz::AppendText(input, value);
        inputs.push_back(input + winamp);
    }
    std::string bare;
    sorabell::fuzz::AppendText(bare, "a");
    sorabell::fuzz::AppendText(bare, "b");
    sorabell::fuzz::AppendText(bare, "c");
    inputs.push_back(bare + "no header\nkey = value\n[a]\n=empty\n\x1A");
    return inputs;
}

// Skin images in each layout the BMP reader knows: depths, headers, masks, RLE streams.
std::vector<std::string> BmpFiles() {
    const std::vector<std::vector<uint32_t>> rows = {{1, 0, 3, 2, 1}, {0, 2, 1, 3, 0}, {3, 3, 0, 1, 2}};
    std::vector<std::string> files;
    for (uint16_t bitCount : {1, 4, 8, 16, 24, 32}) {
        for (uint32_t infoSize : {12u, 40u, 124u}) {
            BmpFile file;
            file.infoSize = infoSize;
            file.width = 5;
            file.height = 3;
            file.bitCount = bitCount;
            std::vector<std::vector<uint32_t>> values = rows;
            if (bitCount <= 8) {
                file.palette.assign(infoSize == 12 ? size_t{1} << bitCount : 4, Rgb{0x20, 0x80, 0xE0});
                file.colorsUsed = infoSize == 12 ? 0 : 4;
                for (auto& row : values) {
                    for (uint32_t& value : row) {
                        value &= (1u << bitCount) - 1;
                    }
                }
            }
            file.pixelData = PixelRows(bitCount, values);
            files.push_back(file.Bytes());
        }
    }
    BmpFile masked;
    masked.width = 2;
    masked.height = -2;
    masked.bitCount = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.pixelData = PixelRows(16, {{0xF800, 0x07E0}, {0x001F, 0xFFFF}}, true);
    files.push_back(masked.Bytes());
    BmpFile rle;
    rle.width = 6;
    rle.height = 3;
    rle.bitCount = 8;
    rle.compression = 1;
    rle.palette.resize(4, Rgb{0x10, 0x20, 0x30});
    rle.colorsUsed = 4;
    rle.pixelData = std::string(
        "\x03\x01\x00\x03\x01\x02\x03\x00\x00"
        "\x00\x00\x02\x01\x01\x02\x02\x00\x01",
        18);
    files.push_back(rle.Bytes());
    rle.bitCount = 4;
    rle.compression = 2;
    rle.pixelData = std::string(
        "\x06\x12\x00\x00\x00\x05\x12\x30\x12"
        "\x00\x00\x02\x01\x00\x02\x21\x00\x01",
        18);
    files.push_back(rle.Bytes());
    return files;
}

// A style, a little-endian maximum length, then the path.
std::vector<std::string> PathShortenInputs() {
    std::vector<std::string> inputs;
    for (const auto& [style, maxLength, path] :
         {std::tuple{1, 12, "C:\\音楽\\曲名の一覧\\"}, std::tuple{2, 9, "C:\\音楽\\曲名の一覧\\"},
          std::tuple{3, 21, "C:\\表示\\ソフト\\Winamp\\Lyrics\\"},
          std::tuple{4, 11, "C:\\Program Files\\Winamp\\曲名の一覧.txt"},
          std::tuple{4, 20, "\\\\server\\share\\歌詞\\ソ表\\"}, std::tuple{3, 2, "表示"}}) {
        inputs.push_back(std::string{static_cast<char>(style), static_cast<char>(maxLength), '\0'} + path);
    }
    return inputs;
}

// A limit, a mode (a free change, an insertion, a deletion), the text before, a place and a
// caret, then the text after or the text typed.
std::vector<std::string> TypingLimitInputs() {
    std::vector<std::string> inputs;
    for (const auto& [limit, mode, before, at, caret, rest] :
         {std::tuple{5, 0, "abあ", 0, 6, "abあい"}, std::tuple{7, 1, "あい", 2, 0, "ソ表x"},
          std::tuple{7, 0, "あソい", 0, 9, "abcdefghi"}, std::tuple{2, 1, "abcd", 2, 0, "x"},
          std::tuple{4, 2, "あいう", 2, 2, ""}, std::tuple{3, 1, "", 0, 0, "ソ表\\"}}) {
        std::string input{static_cast<char>(limit), static_cast<char>(mode)};
        sorabell::fuzz::AppendText(input, before);
        inputs.push_back(input + static_cast<char>(at) + static_cast<char>(caret) + rest);
    }
    return inputs;
}

// Skin archives: stored and deflated images at the root and in a top folder, and lying ones.
std::vector<std::string> ZipFiles() {
    const std::string pixels(600, '\x5A');
    return {
        ZipBytes({Stored("main.bmp", pixels), Deflated("text.bmp", pixels)}),
        ZipBytes({Stored("Skin/", ""), Deflated("Skin/MAIN.BMP", pixels), Stored("Skin/sexyfont.ini", "[a]\r\nb=1")},
                 "comment"),
        ZipBytes({Deflated("main.bmp", pixels).ClaimingSize(0x01000001), Stored("text.bmp", "x").ClaimingCrc(7)}),
        ZipBytes({Stored("main.bmp", pixels), Stored("text.bmp", pixels).ClaimingOffset(0)}),
    };
}

}  // namespace

// A move of the offset (a byte, 128 for none), then a lyrics file in one of its encodings.
std::vector<std::string> LyricsInputs() {
    const std::string lrc =
        "[ti:歌]\r\n[offset:+250]\r\n[00:01.00]<00:01.00>歌<00:01.50>詞\r\n[00:01.00]訳\r\n"
        "[1:02:50][100:00.5]x\r\n[00:03";
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("[offset:-500]\n[00:01]a\n")) {
        utf16 += {c, '\0'};
    }
    return {"\x81" + lrc, "\x7F\xEF\xBB\xBF[00:01]\xE6\xAD\x8C\n", "\x80" + utf16, "\x81", "\x00[offset:5x]"};
}

// Winamp 5's two lists: an index byte (top bit: WINAMP.M3U8 current), WINAMP.M3U, WINAMP.M3U8.
std::vector<std::string> PlayListInputs() {
    std::vector<std::string> inputs;
    for (const auto& [index, m3u, m3u8] :
         {std::tuple{0x81, "#EXTM3U\r\n#EXTINF:1,a\r\nC:\\a.mp3\r\nsub\\??.mp3\r\n",
                     "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:1,a\r\nC:\\a.mp3\r\nsub\\\xED\x95\x9C\xEA\xB5\xAD.mp3\r\n"},
          std::tuple{0x80, "\\Music\\Beyonc?.mp3", "\\Music\\Beyonc\xC3\xA9 \xE2\x80\x93 x.mp3"},
          std::tuple{0x01, "a.mp3\nb.mp3\n", "x\xC3\n\xF0\x9D\x84\x9E.mp3\n"}}) {
        std::string input{static_cast<char>(index)};
        sorabell::fuzz::AppendText(input, m3u);
        inputs.push_back(input + m3u8);
    }
    return inputs;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    WriteSeeds(root / "tag_read", MusicFiles());
    WriteSeeds(root / "id3v2", Id3v2Files());
    WriteSeeds(root / "info_write", WriteInputs());
    WriteSeeds(root / "light_strings", {"a\r\n\r\nb", "[00:01.00]歌詞\r\n[00:02.50]二行目\r\n",
                                        "one\ntwo\rthree\n\rfour", "a,\"b c\",d,,\"e,f\"", ",lead,trail,", "\"open"});
    WriteSeeds(root / "ini_document", IniInputs());
    WriteSeeds(root / "bmp", BmpFiles());
    WriteSeeds(root / "path_shorten", PathShortenInputs());
    WriteSeeds(root / "typing_limit", TypingLimitInputs());
    WriteSeeds(root / "lyrics", LyricsInputs());
    WriteSeeds(root / "zip", ZipFiles());
    WriteSeeds(root / "play_list", PlayListInputs());
    return 0;
}
