// moistek: properties of moist air from the shell, through the Moistek library.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "commands.h"
#include "moistek/moistek.h"
#include "files/standard_streams.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  moistek call [--si] [--pa MMHG] [--init VALUE] NAME ARG...\n"
    "      runs one method (F_..., C_...) or plain function (V_...) of the library.\n"
    "      F_ methods print 'RESULT OUTPUT'; C_ methods take and print the seven positions\n"
    "      DB RH AH EN SV WB DP after the result; V_ functions print their value.\n"
    "      --si selects SI mode (kJ, hPa), --pa sets the total pressure member,\n"
    "      --init what the output holds before the call (default 0).\n"
    "  moistek call --batch [--si] [--pa MMHG] [--init VALUE]\n"
    "      reads lines 'NAME ARG...' (options may lead a line) from standard input and\n"
    "      prints one result line each, 'error: REASON' for a line that cannot be run.\n"
    "  moistek state A=VALUE B=VALUE [--json] [--si | --ip] [--pa P]\n"
    "      the complete state from two of DB RH AH EN SV WB DP (not DP with AH), at P mmHg\n"
    "      (760).\n"
    "  moistek batch A,B [--si | --ip] [--pa P] < in.csv > out.csv\n"
    "      a CSV with a header row and columns A and B in; DB,RH,AH,EN,SV,WB,DP,result out.\n"
    "      For state and batch, --si gives and takes the enthalpy in kJ/kg(DA) and P in hPa:\n"
    "      the same state as without it, in SI units. --ip gives and takes inch-pound units:\n"
    "      DB WB DP in °F, AH in gr/lb(DA), EN in Btu/lb(DA) (dry air at 0 °F, water at\n"
    "      32 °F), SV in ft³/lb(DA), P in psia (14.696).\n"
    "  moistek --version\n"
    "Numbers are printed with 17 significant digits, so they read back exactly.\n"
    "Exit status: 0 done, 1 a state, row or batch line failed, 2 a usage error.\n";

int run(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "--version") {
        char* v = V_Ver();
        if (!v) {
            std::fprintf(stderr, "moistek: the library's version information cannot be read\n");
            return 1;
        }
        std::printf("%s\n", v);
        std::free(v);
        return 0;
    }
    if (args[0] == "call") return moistek_cli::callCommand(rest);
    if (args[0] == "state") return moistek_cli::stateCommand(rest);
    if (args[0] == "batch") return moistek_cli::csvBatchCommand(rest);
    std::fprintf(stderr, "moistek: unknown command '%s'\n\n%s", args[0].c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // The user's locale, as the chart program has it; numbers are written the same in all.
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
    return humidraw::withOutputChecked(run(args), "moistek");
}
