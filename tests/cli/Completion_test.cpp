// The shell completion files are written by hand; these tests hold them to quillory-cli's own
// --help, so a subcommand or option added to the program and forgotten in a shell fails here.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace ql::test {
namespace {

using Names = std::set<std::string>;

const std::string kDir = QUILLORY_COMPLETION_DIR;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Names matches(const std::string& text, const std::regex& pattern) {
    Names found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1].str());
    return found;
}

// The subcommands quillory-cli --help lists, each with the long options its own --help lists.
std::map<std::string, Names> helpCommands() {
    const CliRun top = runCli({"--help"});
    EXPECT_EQ(top.exitCode, 0);
    std::map<std::string, Names> commands;
    bool inList = false;
    for (const std::string& line : linesOf(top.out)) {
        if (line == "Subcommands:") inList = true;
        else if (line.empty()) inList = false;
        else if (inList) commands[line.substr(2, line.find(' ', 2) - 2)] = {};
    }
    static const std::regex option(R"(^  (?:-h,)?(--[a-z0-9-]+))");
    for (auto& [name, options] : commands) {
        const CliRun sub = runCli({name, "--help"});
        EXPECT_EQ(sub.exitCode, 0) << name;
        for (const std::string& line : linesOf(sub.out)) {
            std::smatch m;
            if (std::regex_search(line, m, option)) options.insert(m[1].str());
        }
    }
    return commands;
}

Names keysOf(const std::map<std::string, Names>& commands) {
    Names keys;
    for (const auto& entry : commands) keys.insert(entry.first);
    return keys;
}

// What a shell offers for the words of a command line, one candidate per line.
using Offer = std::function<Names(const std::string& line)>;

Offer bashOffer() {
    return [](const std::string& line) {
        const std::string script = "source /usr/share/bash-completion/bash_completion || exit 3\n"
                                   "source '" + kDir + "/quillory-cli.bash' || exit 4\n"
                                   "COMP_LINE='" + line + "'; COMP_POINT=${#COMP_LINE}\n"
                                   "read -ra COMP_WORDS <<<\"$COMP_LINE\"\n"
                                   "[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')\n"
                                   "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
                                   "_quillory_cli; printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        const CliRun run = runProgram("/bin/bash", {"-c", script});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const auto lines = linesOf(run.out);
        return Names(lines.begin(), lines.end());
    };
}

Offer fishOffer() {
    return [](const std::string& line) {
        TempDir home;
        const CliRun run = runProgram("/usr/bin/fish", {"--no-config", "-c",
                                                        "source '" + kDir + "/quillory-cli.fish'; and complete -C '" +
                                                            line + "'"},
                                      {"HOME=" + home.root()});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        Names names;
        for (const std::string& l : linesOf(run.out)) names.insert(l.substr(0, l.find('\t')));
        return names;
    };
}

// Only the candidates that look like options, or like subcommands.
Names options(const Names& names) {
    Names found;
    for (const auto& n : names)
        if (n.starts_with("--")) found.insert(n);
    return found;
}

Names words(const Names& names) {
    Names found;
    for (const auto& n : names)
        if (!n.empty() && !n.starts_with("-")) found.insert(n);
    return found;
}

TEST(Completion, BashAndFishOfferEverySubcommandAndEachItsOptions) {
    const auto commands = helpCommands();
    ASSERT_GE(commands.size(), 18u);
    for (const auto& [shell, offer] : {std::pair{"bash", bashOffer()}, std::pair{"fish", fishOffer()}}) {
        EXPECT_EQ(words(offer("quillory-cli ")), keysOf(commands)) << shell;
        EXPECT_EQ(options(offer("quillory-cli --")), (Names{"--help", "--version"})) << shell;
        for (const auto& [name, expected] : commands)
            EXPECT_EQ(options(offer("quillory-cli " + name + " Set.qlr --")), expected) << shell << " " << name;
    }
}

TEST(Completion, ChoicesFollowTheOptionAndThePosition) {
    const struct {
        const char* line;
        Names expected;
    } cases[] = {
        {"quillory-cli show Set.qlr ", {"settings", "projects", "customers", "frames"}},
        {"quillory-cli report Set.qlr ", {"history", "customers", "week"}},
        {"quillory-cli init Set.qlr --date-order ", {"mdy", "dmy"}},
        {"quillory-cli history Set.qlr --period ", {"this-year", "this-month", "this-week", "today", "saved"}},
        {"quillory-cli pie Set.qlr --period ", {"this-year", "this-month", "this-week", "today"}},
        {"quillory-cli history Set.qlr --sort ", {"project", "date", "time", "duration", "charges"}},
        // add-frame's --minutes takes a value; export's is a flag after which options follow.
        {"quillory-cli add-frame Set.qlr --minutes ", {}},
    };
    for (const auto& [shell, offer] : {std::pair{"bash", bashOffer()}, std::pair{"fish", fishOffer()}})
        for (const auto& c : cases) EXPECT_EQ(words(offer(c.line)), c.expected) << shell << ": " << c.line;
    EXPECT_TRUE(bashOffer()("quillory-cli export Set.qlr --minutes --").contains("--one-field"));
}

// zsh cannot be asked outside a terminal, so its file is read: each subcommand's branch names
// its options directly or through the shared arrays defined at the top.
TEST(Completion, ZshNamesEverySubcommandAndEachItsOptions) {
    const auto commands = helpCommands();
    const std::string text = fileText(kDir + "/_quillory-cli");
    ASSERT_FALSE(text.empty());

    std::map<std::string, Names> arrays;
    static const std::regex array(R"(local -a ([a-z_]+)=\(([^\n]*)\))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), array); it != std::sregex_iterator(); ++it)
        arrays[(*it)[1].str()] = matches((*it)[2].str(), std::regex(R"(\)?(--[a-z0-9-]+)\[)"));

    EXPECT_EQ(matches(text, std::regex(R"(\n    ['"]([a-z-]+):)")), keysOf(commands));
    static const std::regex branch(R"(\n  ([a-z|-]+)\) args=\(([\s\S]*?)\) ;;)");
    std::map<std::string, Names> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), branch); it != std::sregex_iterator(); ++it) {
        const std::string body = (*it)[2].str();
        Names options = matches(body, std::regex(R"([('")*](--[a-z0-9-]+)\[)"));
        for (const auto& used : matches(body, std::regex(R"(\$([a-z_]+))")))
            if (arrays.contains(used)) options.insert(arrays[used].begin(), arrays[used].end());
        options.insert("--help");  // given to every branch after the case
        std::string names = (*it)[1].str();
        for (std::size_t at = 0; at <= names.size();) {
            const std::size_t bar = std::min(names.find('|', at), names.size());
            found[names.substr(at, bar - at)] = options;
            at = bar + 1;
        }
    }
    EXPECT_EQ(found, commands);
}

}  // namespace
}  // namespace ql::test
