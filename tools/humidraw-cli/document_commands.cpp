// `dump` and `pack`.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "document/document_file.h"
#include "document_json.h"
#include "files/safe_replace.h"

using namespace humidraw;

namespace humidraw_cli {

int dumpCommand(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
        return fail(2, "usage: humidraw-cli dump DOC.hdw");
    const DocumentRead doc = readDocumentFile(args[0]);
    if (!doc.ok) return fail(1, args[0] + ": " + doc.error);
    if (doc.contents.leftOut > 0)
        std::fprintf(stderr, "humidraw-cli: %s: %ld objects beyond the first 640 left out\n",
                     args[0].c_str(), doc.contents.leftOut);
    std::fputs(documentToJson(doc.contents).c_str(), stdout);
    return 0;
}

int packCommand(const std::vector<std::string>& args) {
    std::string input, output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            output = args[++i];
        else if (input.empty() && !args[i].empty() && args[i][0] != '-')
            input = args[i];
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
