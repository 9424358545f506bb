#include "growth/StateFactory.h"

#include "growth/BodyState.h"
#include "growth/GrowState.h"
#include "support/FileError.h"
#include "support/Seams.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace {
struct Token {
    std::string text;
    int line = 0;
};

// Reads whitespace-separated tokens and remembers the line each one came from.
class TokenStream {
public:
    explicit TokenStream(std::istream& in) : in(in) {}

    bool Next(Token& token) {
        int c = in.get();
        while (c != EOF && std::isspace(c)) {
            if (c == '\n') {
                ++line;
            }
            c = in.get();
        }
        if (c == EOF) {
            return false;
        }
        token.text.clear();
        token.line = line;
        while (c != EOF && !std::isspace(c)) {
            token.text += static_cast<char>(c);
            c = in.get();
        }
        if (c == '\n') {
            ++line;
        }
        return true;
    }

private:
    std::istream& in;
    int line = 1;
};

// Frame counts and bob distances in pixels; anything larger is a typing error.
constexpr int kLargestValue = 100000;

bool ParseInt(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    // One optional sign: from_chars takes no '+', and "+-2" is no number.
    if (first != last && *first == '+' && first + 1 != last && *(first + 1) != '-') {
        ++first;
    }
    auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}
} // namespace

StateFactory& StateFactory::GetInstance() {
    // Never destroyed: the pet may still hold body states bound to its stage at exit.
    static StateFactory& instance = *new StateFactory(kPicturesPath, kMovesPath);
    return instance;
}

StateFactory::StateFactory(const std::string& picturesPath, const std::string& movesPath)
    : frameCounts(ReadTable(picturesPath)), moves(ReadTable(movesPath)) {}

StateFactory::~StateFactory() = default;

StateFactory::Table StateFactory::ReadTable(const std::string& path) {
    Table table;
    std::ifstream file(paths::Map(path));
    if (!file) {
        return table;
    }
    TokenStream tokens(file);
    Token stage;
    while (tokens.Next(stage)) {
        std::map<std::string, int> record;
        for (int pair = 0; pair < 5; ++pair) {
            Token body;
            Token value;
            if (!tokens.Next(body) || !tokens.Next(value)) {
                ReportRefusal(path, stage.line,
                              "the record for " + stage.text + " stops after " + std::to_string(pair) +
                                  " of 5 pairs; it is left out");
                return table;
            }
            int number = 0;
            if (!ParseInt(value.text, number)) {
                ReportRefusal(path, value.line,
                              "\"" + value.text + "\" for " + stage.text + " " + body.text +
                                  " is not a whole number; reading stops here");
                return table;
            }
            // The pet bobs by plus and minus the move, which must stay a sane int.
            if (number < -kLargestValue || number > kLargestValue) {
                ReportRefusal(path, value.line,
                              "\"" + value.text + "\" for " + stage.text + " " + body.text +
                                  " is not between " + std::to_string(-kLargestValue) + " and " +
                                  std::to_string(kLargestValue) + "; reading stops here");
                return table;
            }
            record[body.text] = number;
        }
        table[stage.text] = std::move(record);
    }
    return table;
}

void StateFactory::SetGrowState(const std::string& stage, const std::string& statistics) {
    std::unique_ptr<GrowState> next = GrowState::Create(stage);
    next->FromString(statistics);
    std::cout << stage << statistics;
    retired = std::move(growState);
    growState = std::move(next);
    growName = stage;
}

std::unique_ptr<BodyState> StateFactory::ChangeGrowState(const std::string& stage, const std::string& body) {
    RequireGrowState();
    std::unique_ptr<GrowState> next = GrowState::Create(stage);
    next->FromString(growState->ToString());
    growState = std::move(next);
    growName = stage;
    return CreateBodyState(body);
}

std::unique_ptr<BodyState> StateFactory::CreateBodyState(const std::string& body) {
    // A body state bound to no stage would fail at its first request, far from the cause.
    RequireGrowState();
    std::unique_ptr<BodyState> state = BodyState::Get(body);
    state->Bind(growState.get(), frameCounts[growName][body], moves[growName][body]);
    return state;
}

void StateFactory::RequireGrowState() const {
    if (!growState) {
        throw std::logic_error("the state factory has no growth stage yet");
    }
}
