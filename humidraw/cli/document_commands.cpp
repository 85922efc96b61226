// `dump` and `pack`.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "document/document_file.h"
#include "document_json.h"
#include "files/safe_replace.h"
#include "text/visible_text.h"

using namespace humidraw;

namespace humidraw_cli {

int dumpCommand(const std::vector<std::string>& args) {
    // One document; "--" before it when its name begins with '-'.
    const bool ended = !args.empty() && args[0] == "--";
    if (args.size() != (ended ? 2u : 1u) || args.back().empty() ||
        (!ended && args[0][0] == '-'))
        return fail(2, "usage: humidraw-cli dump [--] DOC.hdw");
    const std::string& name = args.back();
    const DocumentRead doc = readDocumentFile(name);
    if (!doc.status) return fail(1, name + ": " + doc.status.error());
    if (doc.contents.leftOut > 0)
        std::fprintf(stderr, "humidraw-cli: %s: %ld objects beyond the first %d left out\n",
                     visibleText(name).c_str(), doc.contents.leftOut, ObjectTable::kCapacity);
    std::fputs(documentToJson(doc.contents).c_str(), stdout);
    return 0;
}

int packCommand(const std::vector<std::string>& args) {
    std::string input, output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && !output.empty())
            return fail(2, "option -o is given twice");
        if (args[i] == "-o" && i + 1 < args.size())
            output = args[++i];
        else if (input.empty() && !args[i].empty() && args[i][0] != '-')
            input = args[i];
        else if (input.empty() && args[i] == "--" && i + 2 == args.size())
            input = args[++i];
        else
            return fail(2, "usage: humidraw-cli pack DOC.json -o DOC.hdw");
    }
    if (input.empty() || output.empty())
        return fail(2, "usage: humidraw-cli pack DOC.json -o DOC.hdw");
    std::ifstream in(input, std::ios::binary);
    if (!in) return fail(1, "cannot read " + input);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto doc = documentFromJson(text.str(), error);
    if (!doc) return fail(1, input + ": " + error);
    const auto bytes = serializeDocument(doc->header, doc->records);
    if (!bytes) return fail(1, input + ": " + bytes.error());
    const Status written = writeOutcome(output, replaceFile(output, *bytes));
    return written ? 0 : fail(1, written.error());
}

}  // namespace humidraw_cli
