#include "sorabell-tag/TagTool.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>

#include "platform/Errors.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1.h"
#include "tags/Id3v2.h"
#include "tags/Riff.h"
#include "tags/RmpInfo.h"
#include "tags/TagConversion.h"
#include "tags/TagRecords.h"
#include "tags/TagWriter.h"

namespace sorabell::tagtool {

namespace {

using tags::TID3Tag;
using tags::TRMPInfo;

constexpr const char* kProgram = "sorabell-tag";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text option of `write`: the INFO field it sets and, for the five fields both records have,
// the tag's field too.
struct TextOption {
    std::string_view name;
    std::string TRMPInfo::*info;
    std::span<char> (*id3)(TID3Tag&);
};

const TextOption kTextOptions[] = {
    {"--title", &TRMPInfo::Title, [](TID3Tag& t) { return std::span<char>(t.Title); }},
    {"--artist", &TRMPInfo::Artist, [](TID3Tag& t) { return std::span<char>(t.Artist); }},
    {"--album", &TRMPInfo::Album, [](TID3Tag& t) { return std::span<char>(t.Album); }},
    {"--release", &TRMPInfo::Release, [](TID3Tag& t) { return std::span<char>(t.Year); }},
    {"--comment", &TRMPInfo::Comment, [](TID3Tag& t) { return std::span<char>(t.Comment); }},
    {"--copyright", &TRMPInfo::Copyright, nullptr},
    {"--engineer", &TRMPInfo::Engineer, nullptr},
    {"--source", &TRMPInfo::Source, nullptr},
    {"--software", &TRMPInfo::Software, nullptr},
};

// The INFO fields in the record's order, as `show` lists them.
const std::pair<const char*, std::string TRMPInfo::*> kInfoLines[] = {
    {"IART", &TRMPInfo::Artist},    {"INAM", &TRMPInfo::Title},    {"IPRD", &TRMPInfo::Album},
    {"ICRD", &TRMPInfo::Release},   {"ICMT", &TRMPInfo::Comment},  {"IGNR", &TRMPInfo::Genre},
    {"ICOP", &TRMPInfo::Copyright}, {"IENG", &TRMPInfo::Engineer}, {"ISRC", &TRMPInfo::Source},
    {"ISFT", &TRMPInfo::Software},
};

struct Command {
    std::string name;
    std::vector<std::string> files;
    tags::WriteMode mode = tags::WriteMode::RmpInfoAndId3FromRmp;
    std::vector<std::pair<const TextOption*, std::string>> texts;  // in the order given: a later one wins
    std::optional<std::string> genre;
};

bool IsCommand(std::string_view name) {
    return name == "show" || name == "write" || name == "rmp2id3" || name == "id32rmp";
}

bool IsHelp(std::string_view arg) { return arg == "help" || arg == "-h" || arg == "--help"; }

// A genre given by number: decimal digits only, so that a name such as "Top 40" stays a name.
std::optional<unsigned> GenreNumber(std::string_view value) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    unsigned n = 0;
    for (char c : value) {
        n = std::min(n * 10 + static_cast<unsigned>(c - '0'), 1000u);
    }
    return n;
}

tags::WriteMode ParseMode(std::string_view value) {
    if (value.size() != 1 || value[0] < '0' || value[0] > '3') {
        throw UsageError("--mode は 0、1、2、3 のどれかです: " + std::string(value));
    }
    return static_cast<tags::WriteMode>(value[0] - '0');
}

const TextOption* FindTextOption(std::string_view name) {
    for (const TextOption& option : kTextOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

Command Parse(const std::vector<std::string>& args) {
    if (args.empty()) {
        throw UsageError("コマンドがありません");
    }
    Command command;
    command.name = args[0];
    if (!IsCommand(command.name)) {
        throw UsageError("不明なコマンドです: " + command.name);
    }
    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            command.files.push_back(arg);
            continue;
        }
        const TextOption* text = FindTextOption(arg);
        if (command.name != "write" || (!text && arg != "--mode" && arg != "--genre")) {
            throw UsageError("不明なオプションです: " + arg);
        }
        if (i + 1 == args.size()) {
            throw UsageError(arg + " には値が必要です");
        }
        const std::string& value = args[++i];
        if (arg == "--mode") {
            command.mode = ParseMode(value);
        } else if (arg == "--genre") {
            if (auto n = GenreNumber(value); n && *n > 255) {
                throw UsageError("ジャンルの番号は 0 から 255 までです: " + value);
            }
            command.genre = value;
        } else {
            command.texts.emplace_back(text, value);
        }
    }
    if (command.files.empty()) {
        throw UsageError("ファイルがありません");
    }
    if (command.name == "write" && command.files.size() > 1) {
        throw UsageError("write で書くファイルは一つだけです");
    }
    return command;
}

// Output stays one line per field: control bytes (never part of a double-byte character) are
// shown as \xNN.
std::string Printable(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

struct Records {
    TRMPInfo info;
    bool hasInfo = false;
    TID3Tag tag;
    bool hasTag = false;
    std::optional<tags::Id3v2Tag> id3v2;         // read only: the tool never writes one
    std::vector<tags::ChunkHeader> otherChunks;  // of the RMP form, but the audio and the INFO list read
};

// What a user needs to tell the chunks apart: the identifier, a list's type, the data's size.
std::string ChunkLine(const tags::ChunkHeader& chunk) {
    std::string line = "chunk: " + Printable(chunk.id);
    if (chunk.id == "LIST" && !chunk.type.empty()) {
        line += " " + Printable(chunk.type);
    }
    return line + " " + std::to_string(chunk.size) + "\n";
}

// The ID3v2 tag's version and texts; of the lyrics frames, what they hold.
std::string Id3v2Lines(const std::optional<tags::Id3v2Tag>& tag) {
    if (!tag) {
        return "id3v2: no\n";
    }
    std::string out = "id3v2: 2." + std::to_string(tag->version) + "\n";
    out += "title: " + Printable(tag->title) + "\n";
    out += "artist: " + Printable(tag->artist) + "\n";
    out += "album: " + Printable(tag->album) + "\n";
    out += "year: " + Printable(tag->year) + "\n";
    out += "comment: " + Printable(tag->comment) + "\n";
    out += "genre: " + Printable(tag->genre) + "\n";
    if (tag->unsyncedLyrics) {
        out += "uslt: " + std::to_string(tag->unsyncedLyrics->size()) + " bytes\n";
    }
    if (const auto& synced = tag->syncedLyrics) {
        out += "sylt: " + std::to_string(synced->lines.size()) + " texts, " +
               (synced->timeFormat == 2 ? "milliseconds" : "MPEG frames") + "\n";
    }
    return out;
}

class Tool {
public:
    Tool(platform::FileSystem& files, platform::CodePage& codePage, const ToolIo& io)
        : files_(files), codePage_(codePage), io_(io) {}

    int Run(const Command& command) {
        bool allDone = true;
        for (const std::string& arg : command.files) {
            allDone = Guarded(arg,
                              [&] {
                                  if (command.name == "show") {
                                      return Show(arg);
                                  }
                                  if (command.name == "write") {
                                      return Write(arg, command);
                                  }
                                  return Convert(arg, command.name == "rmp2id3");
                              }) &&
                      allDone;
        }
        return allDone ? kExitOk : kExitFileFailed;
    }

private:
    // One file's work; any error names the file and ends that file only.
    template <class Work>
    bool Guarded(const std::string& arg, Work work) {
        try {
            return work();
        } catch (const std::exception& e) {
            Fail(arg, e.what());
        }
        return false;
    }

    void Fail(const std::string& arg, const std::string& message) {
        io_.err(std::string(kProgram) + ": " + arg + ": " + message + "\n");
    }

    Records Read(const std::string& path) {
        Records records;
        auto file = files_.Open(path, platform::OpenMode::Read);
        records.hasInfo = tags::ReadRMPInfo(*file, records.info);
        records.hasTag = tags::ReadID3Tag(*file, records.tag);
        records.id3v2 = tags::ReadId3v2Tag(*file, codePage_);
        if (const auto layout = tags::FindRmpForm(*file)) {
            for (const tags::ChunkHeader& chunk : layout->chunks) {
                const bool audio = layout->data && chunk.offset == layout->data->offset;
                const bool info = layout->info && chunk.offset == layout->info->offset;
                if (!audio && !info) {
                    records.otherChunks.push_back(chunk);
                }
            }
        }
        return records;
    }

    bool WriteRecords(const std::string& arg, const std::string& path, tags::WriteMode mode, Records& records) {
        return tags::WriteTags(files_, path, mode, records.info, records.tag,
                               [&](const std::string& message) { Fail(arg, message); });
    }

    bool Show(const std::string& arg) {
        const Records records = Read(io_.systemPath(arg));
        // A blank line between the files' blocks.
        std::string out = std::exchange(shownOne_, true) ? "\n" : "";
        out += "file: " + Printable(arg) + "\n";
        out += records.hasInfo ? "info: yes\n" : "info: no\n";
        if (records.hasInfo) {
            for (const auto& [id, field] : kInfoLines) {
                out += std::string(id) + ": " + Printable(records.info.*field) + "\n";
            }
        }
        for (const tags::ChunkHeader& chunk : records.otherChunks) {
            out += ChunkLine(chunk);
        }
        out += records.hasTag ? "id3: yes\n" : "id3: no\n";
        if (records.hasTag) {
            const TID3Tag& tag = records.tag;
            out += "title: " + Printable(tags::FieldText(tag.Title)) + "\n";
            out += "artist: " + Printable(tags::FieldText(tag.Artist)) + "\n";
            out += "album: " + Printable(tags::FieldText(tag.Album)) + "\n";
            out += "year: " + Printable(tags::FieldText(tag.Year)) + "\n";
            out += "comment: " + Printable(tags::FieldText(tag.Comment)) + "\n";
            out += "genre: " + std::to_string(tag.Genre) + " (" + tags::GenreName(tag.Genre) + ")\n";
        }
        out += Id3v2Lines(records.id3v2);
        io_.out(out);
        return true;
    }

    bool Write(const std::string& arg, const Command& command) {
        const std::string path = io_.systemPath(arg);
        Records records = Read(path);
        for (const auto& [option, value] : command.texts) {
            records.info.*(option->info) = value;
            if (option->id3) {
                tags::SetField(option->id3(records.tag), value);
            }
        }
        if (command.genre) {
            // A number picks the table's entry; a name is kept as typed in the INFO list, and
            // the tag, which can only hold a table entry, gets 255 when the table lacks it
            // (mode 0 makes the tag from the INFO list instead, where an unknown name is 0).
            if (const auto n = GenreNumber(*command.genre)) {
                records.tag.Genre = static_cast<uint8_t>(*n);
                records.info.Genre = tags::GenreName(records.tag.Genre);
            } else {
                records.tag.Genre = tags::GenreIndex(*command.genre).value_or(255);
                records.info.Genre = *command.genre;
            }
        }
        return WriteRecords(arg, path, command.mode, records);
    }

    bool Convert(const std::string& arg, bool toId3) {
        const std::string path = io_.systemPath(arg);
        Records records = Read(path);
        // Converting from a record the file does not have would only blank the other one.
        if (toId3) {
            if (!records.hasInfo) {
                Fail(arg, "INFO リストがないので ID3 タグを作れません");
                return false;
            }
            records.tag = tags::RMPToID3(records.info);
        } else {
            if (!records.hasTag) {
                Fail(arg, "ID3 タグがないので INFO リストを作れません");
                return false;
            }
            tags::ID3ToRMP(records.tag, records.info);
        }
        return WriteRecords(arg, path, tags::WriteMode::RmpInfoAndId3, records);
    }

    platform::FileSystem& files_;
    platform::CodePage& codePage_;
    const ToolIo& io_;
    bool shownOne_ = false;
};

}  // namespace

std::string UsageText() {
    return "使い方:\n"
           "  sorabell-tag show FILE...\n"
           "  sorabell-tag write FILE [--mode 0|1|2|3] [--title T] [--artist A] [--album B]\n"
           "                          [--release Y] [--comment C] [--genre G] [--copyright X]\n"
           "                          [--engineer E] [--source S] [--software W]\n"
           "  sorabell-tag rmp2id3 FILE...\n"
           "  sorabell-tag id32rmp FILE...\n"
           "\n"
           "  show     INFO リストと ID3 タグの各項目、ほかのチャンクとその大きさ、ID3v2 タグの\n"
           "           版と各項目を表示します (ID3v2 タグは読むだけで、書き込みでも変わりません)。\n"
           "  write    指定した項目を変えて、--mode の書き込み方で書き込みます。\n"
           "             0  RMP Info + ID3TAG(toRMP)  INFO リストと、それから作った ID3 タグ (既定)\n"
           "             1  RMP Info + ID3TAG         INFO リストと ID3 タグ\n"
           "             2  RMP Info                  INFO リストだけ (ID3 タグはなくなります)\n"
           "             3  ID3TAG                    ID3 タグだけ\n"
           "           --title --artist --album --release --comment は両方に、--copyright\n"
           "           --engineer --source --software は INFO リストだけに入ります。--genre は\n"
           "           ジャンル名か番号 (0 から 255) です。\n"
           "  rmp2id3  INFO リストから ID3 タグを作り、書き込み方 1 で書き込みます。\n"
           "  id32rmp  ID3 タグから INFO リストの項目を作り、書き込み方 1 で書き込みます。\n"
           "\n"
           "終了コード: 0 成功、1 失敗したファイルがある、2 使い方の誤り\n";
}

int RunTagTool(platform::FileSystem& files, platform::CodePage& codePage, const std::vector<std::string>& args,
               const ToolIo& io) {
    if (args.size() == 1 && IsHelp(args[0])) {
        io.out(UsageText());
        return kExitOk;
    }
    Command command;
    try {
        command = Parse(args);
    } catch (const UsageError& e) {
        io.err(std::string(kProgram) + ": " + e.what() + "\n\n" + UsageText());
        return kExitUsage;
    }
    return Tool(files, codePage, io).Run(command);
}

}  // namespace sorabell::tagtool
