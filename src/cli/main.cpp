// kelcc-cli: batch commands of the workbench without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "compare_command.h"
#include "link_commands.h"
#include "param_commands.h"
#include "plc_commands.h"
#include "print_command.h"
#include "project_commands.h"
#include "table_commands.h"
#include "xref_command.h"

namespace {

constexpr const char* kUsage =
    "Usage: kelcc-cli COMMAND [ARGS]\n"
    "Batch commands of the KELCC workbench: PLC programs, projects, the controller link.\n"
    "\n"
    "Commands:\n"
    "  resave IN.ldx OUT.ldx   read a PLC program file and write it back unchanged\n"
    "  open IN.ldx             open a PLC program file as the workbench does and\n"
    "                          print the rebuilt ladder as grid text\n"
    "  compile (IN.ldx | --grid GRID.txt) [--lang zh|en] [--project NAME]\n"
    "          [--save OUT.ldx]\n"
    "                          compile the ladder and print the output lines;\n"
    "                          --save writes OUT.ldx and OUT.ldx.bin on success\n"
    "  print IN.ldx OUT.pdf [--project NAME]\n"
    "                          draw the ladder of IN.ldx as the workbench prints it\n"
    "                          and write the pages to OUT.pdf; prints the number of\n"
    "                          pages (NAME goes into the page header)\n"
    "  xref IN.ldx             list every address of the ladder with its places:\n"
    "                          ADDRESS<TAB>ROW<TAB>COLUMN<TAB>USE<TAB>INSTRUCTION,\n"
    "                          then warning lines for coils given more than once\n"
    "                          and for Y and R read but never written\n"
    "  project new FOLDER NAME [--overwrite]\n"
    "                          create project NAME in FOLDER/NAME with its default\n"
    "                          files; an existing folder needs --overwrite\n"
    "  project show FILE.gpr   print the project file: a line\n"
    "                          counts<TAB>PLC<TAB>PROGRAMS<TAB>CNC<TAB>FURTHER, then one\n"
    "                          line per record: TYPE<TAB>NUMBER<TAB>NAME<TAB>CREATED<TAB>\n"
    "                          MODIFIED (name in UTF-8, empty fields as -)\n"
    "  project add-program FILE.gpr PATH.cnc [--name ONNNN] [--overwrite]\n"
    "                          import a part program into the project, named\n"
    "                          after the file's first 5 characters unless --name\n"
    "  tables export IN.ldx --table T OUT.csv\n"
    "  tables import FILE.ldx --table T IN.csv [--skip-bad]\n"
    "                          one table of a PLC program file as CSV (UTF-8); T is\n"
    "                          d, dc, dt, alarms, comments or k. An import checks\n"
    "                          every cell as the table windows do, names each\n"
    "                          refused line and writes nothing then, unless\n"
    "                          --skip-bad (exit 1 all the same)\n"
    "  params get FILE.gpr NUMBER\n"
    "  params set FILE.gpr NUMBER VALUE\n"
    "  params dump FILE.gpr [--english]\n"
    "                          the CNC parameters of a project: one value, a value\n"
    "                          set with the rules of the parameter window (refused:\n"
    "                          exit 1; out of range: normalised and said), or all\n"
    "                          as CSV (number, value, description)\n"
    "  list --area A           print the controller's files of storage area A (1-4):\n"
    "                          NAME<TAB>SIZE<TAB>AREA per line\n"
    "  send FILE.gpr [--plc] [--params] [--tools] [--pitch] [--program NAME]...\n"
    "                          send the chosen files of the project to the controller\n"
    "  receive FILE.gpr [--plc] [--params] [--tools] [--pitch]\n"
    "          [--program AREA:NAME]... [--overwrite]\n"
    "                          read files from the controller into the project;\n"
    "                          part programs already in it are replaced only with\n"
    "                          --overwrite\n"
    "  compare FILE.gpr        read the controller's file lists and its copies of the\n"
    "                          files the project would send into a temporary folder\n"
    "                          and print per file: same, different (a line diff; for\n"
    "                          the PLC program the checksums and the networks that\n"
    "                          differ), only in the project, only on the controller\n"
    "                          or not compared. The project is not changed\n"
    "    Link options: --device PATH or --port N (1-4), --baud N (default 115200).\n"
    "    Questions are answered without asking: reading into FILE.gpr is confirmed\n"
    "    and an interrupted send resumes where it broke off. Progress goes to\n"
    "    stderr. Exit 0 done, 1 with the message of a protocol or session error,\n"
    "    2 when no link could be made.\n"
    "  --help                  show this text\n"
    "  --version               show the version\n"
    "\n"
    "Grid text:\n"
    "  One line per occupied cell, ROW<TAB>COLUMN<TAB>KIND<TAB>ELEMENT<TAB>VLINK<TAB>TEXT,\n"
    "  and #ROW<TAB>TEXT for a row comment (UTF-8).\n"
    "\n"
    "Exit status:\n"
    "  0  done; compare: every file is the same\n"
    "  1  refused, not compiled, or a protocol or session error; compare: a file\n"
    "     differs, is missing on one side or could not be compared\n"
    "  2  usage error, a file that cannot be read or written, or no link\n"
    "\n"
    "Examples:\n"
    "  kelcc-cli compile main_demo.ldx --save main_demo.ldx\n"
    "  kelcc-cli project new /tmp demo\n"
    "  kelcc-cli send /tmp/demo/demo.gpr --plc --params --device /dev/ttyUSB0\n"
    "  kelcc-cli list --area 2 --port 1 --baud 38400\n"
    "  kelcc-cli compare /tmp/demo/demo.gpr --device /dev/ttyUSB0\n"
    "\n"
    "Serial ports:\n"
    "  The user must be in the dialout group to open /dev/ttyS* and /dev/ttyUSB*\n"
    "  (sudo adduser $USER dialout, then log in again).\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::puts("kelcc-cli " KELCC_VERSION);
        return 0;
    }
    if (command == "resave") return kelcc::cli::PlcCommands::resave(rest);
    if (command == "open") return kelcc::cli::PlcCommands::open(rest);
    if (command == "compile") return kelcc::cli::PlcCommands::compile(rest);
    if (command == "print") return kelcc::cli::PrintCommand::run(rest);
    if (command == "xref") return kelcc::cli::XrefCommand::run(rest);
    if (command == "list") return kelcc::cli::LinkCommands::list(rest);
    if (command == "send") return kelcc::cli::LinkCommands::send(rest);
    if (command == "receive") return kelcc::cli::LinkCommands::receive(rest);
    if (command == "compare") return kelcc::cli::CompareCommand::run(rest);
    if (command == "project") return kelcc::cli::ProjectCommands::run(rest);
    if (command == "tables") return kelcc::cli::TableCommands::run(rest);
    if (command == "params") return kelcc::cli::ParamCommands::run(rest);
    std::fprintf(stderr, "kelcc-cli: unknown command '%s'\n\n%s", command.c_str(), kUsage);
    return 2;
}
