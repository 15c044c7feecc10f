#include "cli/CommandHelp.h"

#include <cstring>

namespace lumora::cli {
namespace {

// Shared by the commands that scan a folder.
constexpr const char* kQuietText =
    "show no progress line and none of the program's messages; "
    "results and errors are still printed";

// What organize and process answer; the same words in both helps.
constexpr const char* kYesText =
    "answer every question without asking: replace a file already at a picture's target, "
    "go on into an album folder that is already there, skip a picture that cannot be copied "
    "or moved, go on with the next album after one was given up; a file that cannot be read "
    "while the source is scanned is skipped";
constexpr const char* kNoText =
    "as --yes, but never replace a file: a picture whose target is already there stays where "
    "it is and is listed as skipped; a file that cannot be read while the source is scanned "
    "is skipped. This is the answer when standard input is not a terminal";
constexpr const char* kAbortText =
    "give up at the first question: the album at hand is given up and the run ends; a file "
    "that cannot be read while the source is scanned stops the scan";
constexpr const char* kMoveText =
    "move the pictures instead of copying them (the choice is fixed once an album is "
    "processed); afterwards a line tells how many files were left in the source and why";
constexpr const char* kDryRunText =
    "show what a run would do and write nothing: the free-space check, every folder that "
    "would be made (\"folder\" lines), and for every picture its source and the exact target "
    "it would get (\"copy\"/\"move\" lines, \"replace\" under --yes when a file is there, "
    "\"in place\" when it is already there), with the lines of pictures that would stay "
    "(\"untransferred\"); each companion file gets a line of its own after its picture's; "
    "the names are those the real run gives, collisions included";

constexpr const char* kNoCompanionsText =
    "leave the pictures' companion files where they are; without it every picture's RAW, "
    "sidecars (.xmp, also named after the whole picture name), .thm, .aae, .wav and .mov/.mp4 "
    "clips of the same name go along with it, copied or moved as it is and named after its "
    "new name; a moved picture whose companion cannot follow stays at the source with it";

// A camera whose clock was wrong; the same words in scan, organize and process.
constexpr const char* kClockText =
    "the clock of CAMERA was off by OFFSET: its pictures are taken as made at the time it wrote "
    "plus OFFSET, which moves them in the film order, into the day or month albums and into "
    "their new names (the files and their EXIF data are never changed). CAMERA is the camera "
    "model as scan prints it, or MAKE/MODEL where two makers share a model; OFFSET is "
    "[+|-][Nd]HH:MM[:SS], as +01:04:30 or -1d02:00. Give it once for each camera; two bodies "
    "of one model cannot be told apart";

// The tab-separated lines of scan, organize and process.
constexpr const char* kNulText =
    "end every field of a tab-separated line with a NUL instead of a tab or line break, and "
    "write names as they are; the other result lines end with a NUL too. Without -z a tab, "
    "line break or backslash in a field is written as \\t, \\n or \\\\ (on Windows a "
    "backslash is written as it is, and a tab or line break, which no Windows name holds, as "
    "a space)";

const std::vector<CommandHelp> kHelps = {
    {"scan",
     "scan [-y] [-q] [-z] [--left-out] [--clock CAMERA=OFFSET]... [--] DIR",
     "list the pictures the scan of DIR finds, with date, time and camera",
     "Scans DIR and its sub-folders (never a folder named 'Temporary Internet Files') for "
     ".jpg files with an EXIF date and prints one tab-separated line per picture: path, "
     "date, time, camera make, camera model; then the scan's status line. A file that cannot "
     "be read is asked about on a terminal (OK skips it, Cancel stops the scan) and skipped "
     "otherwise. When a folder or a file under DIR could not be read, the list is not the "
     "whole of DIR: an error line names each, and the exit status is 1.",
     {{"-y, --yes", "skip every file that cannot be read without asking"},
      {"-q, --quiet", kQuietText},
      {"-z", kNulText},
      {"--left-out",
       "after the pictures, print one line 'left-out', reason, path for each file that looks "
       "like a picture and is not listed; the reasons: no EXIF block, EXIF block refused, no "
       "capture date, damaged file, name not taken (.jpeg, .jpe, .jfif), not a JPEG picture "
       "(RAW, HEIC, PNG, TIFF or video, unless beside a listed picture of the same name)"},
      {"--clock CAMERA=OFFSET",
       "print the times of CAMERA's pictures corrected by OFFSET, each marked with a \"~\" "
       "before it (see organize)"}}},
    {"exif",
     "exif --json [--] PATH...",
     "print the EXIF values of JPEG files, one JSON object per line",
     "Reads each named file, whatever its name, and every .jpg or .jpeg file below each named "
     "folder, and prints one JSON object per line (JSON Lines) for each: {\"path\":...} and "
     "every value the EXIF reader fills. Texts that are not UTF-8 are read as Latin-1.",
     {{"--json", "the output format (required): one JSON object per line, one line per file"}}},
    {"samples",
     "samples [--count N] [--camera-size | --size WxH] [--no-thumbnails] [--flat] [--distinct] "
     "[--seed S] [--] DIR",
     "write the generated sample pictures into DIR",
     "Writes camera-like JPEG pictures with EXIF data (several cameras and dates, a few "
     "duplicates, a few without EXIF) into DIR, which must hold no file of the same names.",
     {{"--count N", "how many files to write"},
      {"--camera-size", "pictures of a camera's full size instead of small ones"},
      {"--size WxH", "pictures of this width and height"},
      {"--no-thumbnails", "leave the embedded EXIF thumbnails out"},
      {"--flat", "write every file directly into DIR, no camera folders"},
      {"--distinct", "make every picture differ from the others (no duplicates)"},
      {"--seed S", "another seed gives other pictures; the same seed the same files"}}},
    {"thumbnail",
     "thumbnail [--negative] [--] FILE OUT.bmp",
     "write the 160 x 120 film thumbnail of one picture as a BMP file",
     "Makes the film's thumbnail of FILE (from its embedded thumbnail when it has one) and "
     "writes it as a BMP file. OUT.bmp must not be FILE itself under another name.",
     {{"--negative", "the thumbnail of the negative film"}}},
    {"thumbnails",
     "thumbnails [--negative] [--workers N] [-q] [--] DIR OUTDIR",
     "write the film thumbnail of every picture the scan of DIR lists",
     "Writes OUTDIR/<the picture's path below DIR>.bmp for every picture the scan lists. "
     "OUTDIR must lie outside DIR. A picture that cannot be read or decoded gets the film's "
     "placeholder and is named on standard error; the exit status is then 1.",
     {{"--negative", "thumbnails of the negative film"},
      {"--workers N", "decode on N threads (0 to 64)"},
      {"-q, --quiet", kQuietText}}},
    {"info",
     "info [--] FILE",
     "print the Picture Info lines of one picture",
     "Prints the lines the Picture Info box shows for FILE, dates and times in the default "
     "formats.",
     {}},
    {"values",
     "values [-q] [--] DIR",
     "print the advanced filter's value lists over the pictures of DIR",
     "Scans DIR and prints the value lists the Advanced Filter offers over all its pictures. "
     "Files that cannot be read are asked about on a terminal and skipped otherwise.",
     {{"-q, --quiet", kQuietText}}},
    {"session",
     "session show|check [-q] [--] FILE",
     "show every value of a session file, or check that it loads against its source today",
     "show: prints every value the session file holds, each album as the window lists and "
     "details it. check: scans the session's source as loading does and tells whether the "
     "session still loads (exit 0) or not (exit 1, with the reason). A damaged file is named "
     "with the reason it cannot be loaded.",
     {{"-q, --quiet", kQuietText}}},
    {"duplicates",
     "duplicates [--json] [-y] [-q] [--] DIR",
     "analyse and compare the pictures of DIR and list the duplicates in groups",
     "Scans DIR, makes the signature of every picture and lists the groups of pictures that "
     "look the same: the picture that would stay first, then its duplicates.",
     {{"--json",
       "one JSON object per line, one line per group: "
       "{\"group\":1,\"pictures\":[\"the picture that stays\",\"a duplicate\",...]}"},
      {"-y, --yes", "skip every file that cannot be read without asking"},
      {"-q, --quiet", kQuietText}}},
    {"process",
     "process [--target DIR] [--move] [--no-companions] [--dry-run] [--yes|--no|--abort] "
     "[-q] [-z] [--clock CAMERA=OFFSET]... [--] SESSION.lsn",
     "copy or move the albums of a session into their folders",
     "Loads a session file as the window does (its source is scanned again and must still "
     "hold the same pictures), checks the free space on the target and processes every album "
     "not yet processed. Prints the summary, a line for every picture left untransferred "
     "(\"untransferred\", why, source, target) and, after --move, the files left in the "
     "source. Asked on a terminal about a file or folder already at the target, an answer "
     "typed in upper case (Y) or followed by a (ya) stands for every later one of its kind: "
     "files or folders. Exit status 1 when any picture did not arrive. Ctrl+C or SIGTERM stops the "
     "run "
     "after the picture in hand (never half a file): the same lines are printed and the exit "
     "status is 130.",
     {{"--target DIR", "process into DIR instead of the session's target"},
      {"--clock CAMERA=OFFSET",
       "as organize, over the corrections the session keeps; a correction that would take "
       "pictures of an album out of its time range is asked about: yes (also --yes, --no and "
       "no terminal) widens the range, --abort keeps the clocks and ends; processed albums "
       "keep their pictures"},
      {"--move", kMoveText},
      {"--no-companions", kNoCompanionsText},
      {"--dry-run", kDryRunText},
      {"--yes", kYesText},
      {"--no", kNoText},
      {"--abort", kAbortText},
      {"-q, --quiet", kQuietText},
      {"-z", kNulText}}},
    {"organize",
     "organize [--by day|month] [--camera-model] [--move] [--no-companions] [--dry-run] "
     "[--save-session FILE] [--clock CAMERA=OFFSET]... [--yes|--no|--abort] [-q] [-z] [--] "
     "SRC TARGET",
     "put the pictures of SRC into one album folder per day or month under TARGET",
     "Scans SRC and makes one album per day (or month) of its pictures, named by the date "
     "(2019-11-03), each going into a folder of that name under TARGET with names like "
     "\"2019-11-03-0 [2019-11-03] [10 20 30].jpg\". TARGET is made when it is missing (its "
     "parent must exist); a TARGET inside SRC is left out of the scan. Prints the same lines "
     "as process, and stops on Ctrl+C or SIGTERM as process does.",
     {{"--by day|month", "one album per day (the default) or per month"},
      {"--camera-model",
       "end every new name with the picture's camera model in brackets, as in "
       "\"2019-11-03-0 [2019-11-03] [10 20 30] [Canon EOS 5D].jpg\" (nothing for a picture "
       "without one)"},
      {"--clock CAMERA=OFFSET", kClockText},
      {"--move", kMoveText},
      {"--no-companions", kNoCompanionsText},
      {"--dry-run", kDryRunText},
      {"--save-session FILE",
       "write the albums as a session file instead of copying or moving anything: open it in "
       "the window to look at the albums, change them and process them, or run "
       "'lumora-cli process FILE'. Source and target are stored as full paths. A FILE that "
       "exists is asked about like any file already there (--no, the default, keeps it); a "
       "picture or a file that is no session file is never replaced"},
      {"--yes", kYesText},
      {"--no", kNoText},
      {"--abort", kAbortText},
      {"-q, --quiet", kQuietText},
      {"-z", kNulText}}},
    {"undo",
     "undo [--dry-run] [--yes] [--session-too] [-q] [--] TARGET|JOURNAL\n"
     "       lumora-cli undo --forget JOURNAL [--yes]",
     "take back a processing run: every picture where it was before",
     "Every run of process, organize and the window keeps a journal in its target, in "
     "TARGET/.lumora/runs/DATE-TIME-PROCESS.journal, written before each file is copied or "
     "moved. Undo reads the newest journal of TARGET (or the JOURNAL given) and takes the run "
     "back, last action first: a moved picture goes back to its source path, a copy is "
     "removed, a file that \"Overwrite?\" answered Yes replaced comes back from where the run "
     "set it aside, and the folders the run made go once empty. A file edited since the run, "
     "or a source path where a new file now stands, is left as it is and reported (exit "
     "status 1). A run that was stopped or killed is undone as far as the disk shows it got. "
     "The journal stays, marked undone: a second undo does nothing. Asks before it begins "
     "(without a terminal the answer is No unless --yes is given).",
     {{"--dry-run",
       "list every step the undo would take, and what it would leave and why; "
       "change nothing"},
      {"--yes", "undo (or forget) without asking"},
      {"--session-too",
       "clear the processed marks of the run's albums in the session file the journal names "
       "(nothing else in it changes; written as Save Session writes), so the albums can be "
       "processed again. Without it, undo says which session still marks them processed"},
      {"--forget JOURNAL",
       "delete the journal and the files its replaces set aside, once the run is as it should "
       "be; it can then no longer be undone"},
      {"-q, --quiet", kQuietText}}},
};

}  // namespace

const std::vector<CommandHelp>& commandHelps() {
    return kHelps;
}

const CommandHelp* findCommandHelp(const std::string& name) {
    for (const CommandHelp& help : kHelps) {
        if (name == help.name) return &help;
    }
    return nullptr;
}

namespace {

// Writes text from column indent on, broken at spaces before width.
void printWrapped(std::FILE* out, const std::string& text, size_t indent, size_t firstColumn) {
    constexpr size_t kWidth = 79;
    size_t column = firstColumn;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (column > indent && column + 1 + word.size() > kWidth) {
            std::fprintf(out, "\n%*s", static_cast<int>(indent), "");
            column = indent;
        } else if (column > indent) {
            std::fputc(' ', out);
            ++column;
        }
        std::fputs(word.c_str(), out);
        column += word.size();
        start = end + 1;
    }
    std::fputc('\n', out);
}

}  // namespace

void printCommandHelp(const CommandHelp& help, std::FILE* out) {
    std::fprintf(out, "Usage: lumora-cli %s\n\n", help.usage);
    printWrapped(out, help.description, 0, 0);
    std::fprintf(out, "\nOptions:\n");
    for (const OptionHelp& option : help.options) {
        std::fprintf(out, "  %s\n      ", option.names);
        printWrapped(out, option.text, 6, 6);
    }
    std::fprintf(out, "  --\n      ");
    printWrapped(out,
                 "end of the options: what follows is a file or folder even when its name "
                 "begins with -",
                 6, 6);
    std::fprintf(out,
                 "  -h, --help\n      show this help\n"
                 "\nExit status: 0 on success, 1 on failure, 2 on a usage error.\n");
}

void printProgramHelp(std::FILE* out) {
    std::fprintf(out,
                 "Usage: lumora-cli COMMAND [OPTIONS] [--] [ARGUMENTS]\n\n"
                 "Lumora organises camera pictures into albums by date and time.\n\n"
                 "Commands:\n");
    for (const CommandHelp& help : kHelps) {
        std::fprintf(out, "  %-11s %s\n", help.name, help.summary);
    }
    std::fprintf(out,
                 "\nOptions:\n  -h, --help  show this help\n  --version   show the version\n"
                 "\n'lumora-cli COMMAND --help' tells what a command does and what each of its "
                 "options does.\n");
}

}  // namespace lumora::cli
