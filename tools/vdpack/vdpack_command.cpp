#include "vdpack/vdpack_command.h"

#include "vdpack/build_request.h"
#include "vdpack/list_command.h"

const char* const kVdpackHelp =
    "vdpack: packs files into a launcher file and lists a launcher file's index.\n"
    "\n"
    "Usage:\n"
    "  vdpack build --stub FILE --output FILE [--kind N] ENTRY...\n"
    "  vdpack build --manifest FILE [more options]\n"
    "  vdpack list FILE\n"
    "  vdpack --help\n"
    "\n"
    "build writes the stub (the launcher program), the files of the entries in the\n"
    "given order, the file index, the launcher kind byte and the trailer.\n"
    "  --stub FILE          the launcher program the payload is appended to\n"
    "  --output FILE        the launcher file to write (replaced when complete)\n"
    "  -o FILE              the same as --output\n"
    "  --kind N             the launcher kind byte, 0 to 255 (default 0)\n"
    "  --manifest FILE      reads STUB, KIND, OUTPUT and entries from a tag file\n"
    "Each entry starts with --file; the options after it, up to the next --file,\n"
    "belong to it:\n"
    "  --file FILE          the file to embed\n"
    "  --type TYPE          INSTRUCTIONS, JVM, LAUNCHSCRIPT, ARCHIVE, JVM_INSTALLER,\n"
    "                       VERIFY_ARCHIVE, APPLICATION_ARCHIVE, EMBEDDED_LAUNCHER,\n"
    "                       JVMMESSAGE, or the number 0 to 8 (required)\n"
    "  --id N               the file id, a signed 32-bit number (required)\n"
    "  --name NAME          the stored name (default: the file's base name): a plain\n"
    "                       file name Windows can store, no path, no device name\n"
    "                       such as NUL or aux.txt, at most 32767 bytes; no two for\n"
    "                       one file, whatever the case, and not input.tag\n"
    "  --compressed COUNT SIZE\n"
    "                       marks the file compressed: it unpacks into COUNT files\n"
    "                       of SIZE bytes in all\n"
    "Options are read in order: a later value replaces an earlier one, and the\n"
    "entries of a manifest come where --manifest stands.\n"
    "\n"
    "A manifest is a tag file.  STUB, KIND and OUTPUT take one value each; FILE,\n"
    "TYPE and ID list one value per entry, NAME and COMPRESSED may too (\"-\" keeps\n"
    "the default; COMPRESSED values read \"COUNT SIZE\").  Relative paths are taken\n"
    "from the manifest's directory:\n"
    "  STUB: launcher.exe\n"
    "  KIND: 0\n"
    "  FILE:\n"
    "    instructions.tag\n"
    "    jre-setup.exe\n"
    "  /:\n"
    "  TYPE:\n"
    "    INSTRUCTIONS\n"
    "    JVM_INSTALLER\n"
    "  /:\n"
    "  ID:\n"
    "    1\n"
    "    2\n"
    "  /:\n"
    "  COMPRESSED:\n"
    "    -\n"
    "    250 80000000\n"
    "  /:\n"
    "\n"
    "list prints the launcher kind, the bytes after the trailer, the number of\n"
    "files and one line per index entry:\n"
    "  POSITION: TYPE id=ID length=LENGTH offset=OFFSET\n"
    "            [decompressed-files=COUNT decompressed-size=SIZE] name=NAME\n"
    "\n"
    "The exit code is 0 on success and 1 after an error.\n";

namespace {

int run(const std::vector<std::string>& arguments, std::ostream& out) {
    const std::string command = arguments.empty() ? std::string() : arguments[0];
    const std::vector<std::string> rest(arguments.begin() + (arguments.empty() ? 0 : 1),
                                        arguments.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kVdpackHelp;
    } else if (command == "build") {
        const BuildRequest request = parseBuildOptions(rest);
        writeLauncherFile(request.plan, request.output);
    } else if (command == "list" && rest.size() == 1) {
        listLauncherFile(rest[0], out);
    } else if (command == "list") {
        throw PackError("list takes one launcher file");
    } else {
        throw PackError(command.empty() ? "no command (see vdpack --help)"
                                        : "unknown command '" + command + "' (see vdpack --help)");
    }
    return 0;
}

}  // namespace

int runVdpack(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        return run(arguments, out);
    } catch (const PackError& e) {
        err << "vdpack: " << e.what() << "\n";
        return 1;
    }
}
