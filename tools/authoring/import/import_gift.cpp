// GIFT as learning platforms export it. Questions are separated by blank
// lines; "//" comment lines and "$CATEGORY:" lines are dropped. A question
// may carry a "::title::", a format mark ("[html]" ...) and its answers in
// braces. Only questions whose every answer starts with "=" ask for a typed
// answer; the others are skipped, each with one line.
#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "import_gift.h"

namespace {

const size_t npos = std::string::npos;

// The lines of one question, joined, with the line each byte came from.
struct Block {
    std::string text;
    std::vector<int> lines;
    int lineAt(size_t offset) const { return lines[std::min(offset, lines.size() - 1)]; }
};

std::vector<Block> splitBlocks(const std::string& utf8) {
    std::vector<Block> blocks;
    Block current;
    int line = 0;
    size_t start = 0;
    while (start < utf8.size()) {
        size_t end = utf8.find('\n', start);
        std::string raw = utf8.substr(start, end == npos ? npos : end - start);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        ++line;
        std::string content = trimmed(raw);
        if (content.empty()) {
            if (!current.text.empty()) blocks.push_back(current);
            current = Block();
        } else if (content.compare(0, 2, "//") != 0 && content.compare(0, 10, "$CATEGORY:") != 0) {
            current.text += raw + "\n";
            current.lines.insert(current.lines.end(), raw.size() + 1, line);
        }
        if (end == npos) break;
        start = end + 1;
    }
    if (!current.text.empty()) blocks.push_back(current);
    return blocks;
}

// The offset of the first `what` in [from, end) that no backslash escapes.
size_t findUnescaped(const std::string& text, const char* what, size_t from, size_t end) {
    size_t length = std::char_traits<char>::length(what);
    for (size_t i = from; i + length <= end; ++i) {
        if (text[i] == '\\') ++i;
        else if (text.compare(i, length, what) == 0) return i;
    }
    return npos;
}

size_t firstNonBlank(const std::string& text, size_t from, size_t end) {
    size_t at = text.find_first_not_of(" \t\r\n", from);
    return at < end ? at : npos;
}

// Tags that break a line when shown: they leave a space behind.
bool breaksLine(const std::string& tag) {
    static const char* const names[] = {"br", "p", "div", "li", "ul", "ol", "tr", "td", "h1", "h2", "h3"};
    std::string name;
    for (char c : tag) {
        if (c == '/' && name.empty()) continue;
        if (!isalnum(static_cast<unsigned char>(c))) break;
        name.push_back(static_cast<char>(tolower(static_cast<unsigned char>(c))));
    }
    for (const char* known : names)
        if (name == known) return true;
    return false;
}

// The text without its HTML tags; a tag that breaks a line leaves a space.
std::string withoutTags(const std::string& text) {
    std::string untagged;
    for (size_t i = 0; i < text.size(); ++i) {
        size_t close = text[i] == '<' ? text.find('>', i) : npos;
        bool tag = close != npos &&
                   (isalpha(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '/' || text[i + 1] == '!');
        if (!tag) {
            untagged.push_back(text[i]);
            continue;
        }
        if (breaksLine(text.substr(i + 1, close - i - 1))) untagged.push_back(' ');
        i = close;
    }
    return untagged;
}

// The usual HTML entities decoded, each run of white space one space.
std::string collapsedText(const std::string& untagged) {
    static const struct { const char* entity; const char* text; } entities[] = {
        {"&amp;", "&"}, {"&lt;", "<"},   {"&gt;", ">"},   {"&quot;", "\""},
        {"&#39;", "'"}, {"&apos;", "'"}, {"&nbsp;", " "},
    };
    std::string collapsed;
    for (size_t i = 0; i < untagged.size(); ++i) {
        char c = untagged[i];
        bool replaced = false;
        for (const auto& entity : entities) {
            size_t length = strlen(entity.entity);
            if (c == '&' && untagged.compare(i, length, entity.entity) == 0) {
                collapsed += entity.text;
                i += length - 1;
                replaced = true;
                break;
            }
        }
        if (replaced) continue;
        bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank) collapsed.push_back(c);
        else if (!collapsed.empty() && collapsed.back() != ' ') collapsed.push_back(' ');
    }
    return collapsed;
}

// The GIFT escapes decoded: "\n" a line break, "\~" and the like the sign.
std::string unescaped(const std::string& collapsed) {
    std::string out;
    for (size_t i = 0; i < collapsed.size(); ++i) {
        char next = i + 1 < collapsed.size() ? collapsed[i + 1] : '\0';
        if (collapsed[i] == '\\' && next == 'n') {
            out.push_back('\n');
            ++i;
        } else if (collapsed[i] == '\\' && next != '\0' && strchr("~=#{}:\\", next)) {
            out.push_back(next);
            ++i;
        } else {
            out.push_back(collapsed[i]);
        }
    }
    return out;
}

// A piece of question text as the player shows it: no format mark, no HTML
// tags, the usual entities and the GIFT escapes decoded, white space
// collapsed ("\n" written out stays a line break).
std::string plainText(const std::string& raw) {
    std::string text = trimmed(raw);
    for (const char* mark : {"[html]", "[markdown]", "[plain]", "[moodle]"})
        if (text.compare(0, strlen(mark), mark) == 0) text.erase(0, strlen(mark));
    return trimmed(unescaped(collapsedText(withoutTags(text))));
}

// One "=" answer: its text, its credit and its feedback.
struct Answer {
    SourceText text, feedback;
    bool fullCredit = true;
    std::string credit;   // the percentage as written, when there is one
};

Answer readAnswer(const Block& block, size_t start, size_t end) {
    Answer answer;
    size_t body = start + 1;
    size_t first = firstNonBlank(block.text, body, end);
    if (first != npos && block.text[first] == '%') {
        size_t close = block.text.find('%', first + 1);
        if (close != npos && close < end) {
            answer.credit = block.text.substr(first + 1, close - first - 1);
            answer.fullCredit = strtod(answer.credit.c_str(), nullptr) == 100.0;
            body = close + 1;
        }
    }
    size_t hash = findUnescaped(block.text, "#", body, end);
    size_t textEnd = hash == npos ? end : hash;
    answer.text = SourceText{plainText(block.text.substr(body, textEnd - body)), block.lineAt(start)};
    if (hash != npos)
        answer.feedback = SourceText{plainText(block.text.substr(hash + 1, end - hash - 1)), block.lineAt(hash)};
    return answer;
}

// A question of a kind the player cannot ask, named in both languages.
void skip(Bank* bank, int line, const char* kind, const char* french) {
    addNote(&bank->notes, line, NoteSkipped, kind, french);
    ++bank->skipped;
}

// Where a question's parts lie: its text after the title, its answers'
// braces, and the general feedback after "####" inside them (npos: none).
struct QuestionParts {
    size_t begin, open, close, general;
    int line;
};

// Finds the parts; false, with an error or a skipped question noted, when
// the question is broken or asks for no answer at all.
bool findParts(const Block& block, Bank* bank, QuestionParts* parts) {
    const std::string& text = block.text;
    size_t begin = firstNonBlank(text, 0, text.size());
    const int line = block.lineAt(begin);
    if (text.compare(begin, 2, "::") == 0) {
        size_t close = findUnescaped(text, "::", begin + 2, text.size());
        if (close == npos) {
            addNote(&bank->notes, line, NoteError, "the title opened with '::' is never closed",
                    u8"le titre ouvert par « :: » n'est jamais fermé");
            return false;
        }
        begin = close + 2;
    }
    size_t open = findUnescaped(text, "{", begin, text.size());
    if (open == npos) {
        skip(bank, line, "description (no answer)", u8"description (sans réponse)");
        return false;
    }
    size_t close = findUnescaped(text, "}", open + 1, text.size());
    if (close == npos) {
        addNote(&bank->notes, block.lineAt(open), NoteError, "the '{' of the answers is never closed",
                u8"l'accolade « { » des réponses n'est jamais fermée");
        return false;
    }
    if (findUnescaped(text, "{", close + 1, text.size()) != npos) {
        addNote(&bank->notes, line, NoteError, "more than one '{' answer block; a question has one",
                u8"plus d'un bloc de réponses « { » : une question n'en a qu'un");
        return false;
    }
    *parts = QuestionParts{begin, open, close, findUnescaped(text, "####", open + 1, close), line};
    return true;
}

// The "=" answers between the braces; false, with a note, for any other
// kind of question (or a broken one).
bool readAnswers(const Block& block, const QuestionParts& parts, Bank* bank, std::vector<Answer>* answers) {
    const std::string& text = block.text;
    const int line = parts.line;
    const size_t answersEnd = parts.general == npos ? parts.close : parts.general;
    size_t first = firstNonBlank(text, parts.open + 1, answersEnd);
    if (first == npos) {
        skip(bank, line, "essay (no answer to compare)", u8"rédaction (aucune réponse à comparer)");
        return false;
    }
    if (text[first] == '#') {
        skip(bank, line, "numerical (no typed text answer)", u8"numérique (pas de réponse en texte à taper)");
        return false;
    }
    // Where each answer starts: at each "=" or "~".
    std::vector<size_t> starts;
    for (size_t at = first; at < answersEnd; ++at) {
        at = std::min(findUnescaped(text, "=", at, answersEnd), findUnescaped(text, "~", at, answersEnd));
        if (at == npos) break;
        starts.push_back(at);
    }
    if (starts.empty() || starts[0] != first) {
        size_t hash = findUnescaped(text, "#", first, answersEnd);
        std::string word = trimmed(text.substr(first, (hash == npos ? answersEnd : hash) - first));
        for (char& c : word) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        if (starts.empty() && (word == "t" || word == "f" || word == "true" || word == "false"))
            skip(bank, line, "true/false (no typed answer)", u8"vrai/faux (pas de réponse à taper)");
        else
            addNote(&bank->notes, block.lineAt(first), NoteError,
                    "answers in braces start with '=' or '~' (or are T, F, TRUE or FALSE)",
                    u8"les réponses entre accolades commencent par « = » ou « ~ » (ou sont T, F, TRUE ou FALSE)");
        return false;
    }
    starts.push_back(answersEnd);
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        if (text[starts[k]] == '~') {
            skip(bank, line, "multiple choice (no typed answer)", u8"choix multiple (pas de réponse à taper)");
            return false;
        }
        if (findUnescaped(text, "->", starts[k], starts[k + 1]) != npos) {
            skip(bank, line, "matching (no typed answer)", u8"appariement (pas de réponse à taper)");
            return false;
        }
        answers->push_back(readAnswer(block, starts[k], starts[k + 1]));
    }
    return true;
}

// Every answer but the one kept is dropped, each with a warning saying why.
void noteDroppedAnswers(const std::vector<Answer>& answers, const Answer* kept, Bank* bank) {
    for (const Answer& other : answers) {
        if (&other == kept) continue;
        std::string why = other.fullCredit ? "the player has one answer per field"
                                           : "it earns " + other.credit + "% of the credit, only full credit counts";
        std::string french = other.fullCredit ? u8"le lecteur a une réponse par champ"
                                              : u8"elle ne vaut que " + other.credit +
                                                    u8" % des points, seules les réponses à 100 % comptent";
        addNote(&bank->notes, other.text.line, NoteWarning, "answer '" + other.text.text + "' dropped: " + why,
                u8"réponse « " + other.text.text + u8" » écartée : " + french);
    }
}

void readQuestion(const Block& block, Bank* bank) {
    QuestionParts parts;
    std::vector<Answer> answers;
    if (!findParts(block, bank, &parts) || !readAnswers(block, parts, bank, &answers)) return;
    auto kept = std::find_if(answers.begin(), answers.end(), [](const Answer& a) { return a.fullCredit; });
    if (kept == answers.end())
        return skip(bank, parts.line, "short answer without a full-credit answer",
                    u8"réponse courte sans réponse à 100 %");
    noteDroppedAnswers(answers, &*kept, bank);

    const std::string& text = block.text;
    BankQuestion question;
    question.line = parts.line;
    question.texts[Field::Answer] = kept->text;
    question.texts[Field::Reveal] = kept->feedback;
    if (kept->feedback.text.empty() && parts.general != npos)
        question.texts[Field::Reveal] = SourceText{
            plainText(text.substr(parts.general + 4, parts.close - parts.general - 4)), block.lineAt(parts.general)};
    // The blank stands where the answer goes when text follows the braces.
    std::string after = plainText(text.substr(parts.close + 1));
    std::string caption = text.substr(parts.begin, parts.open - parts.begin) +
                          (after.empty() ? "" : "_____" + text.substr(parts.close + 1));
    size_t captionStart = firstNonBlank(text, parts.begin, text.size());
    question.texts[Field::Caption] =
        SourceText{plainText(caption), block.lineAt(captionStart == npos ? parts.begin : captionStart)};
    bank->questions.push_back(question);
}

}  // namespace

void readGift(const std::string& utf8, Bank* bank) {
    for (const Block& block : splitBlocks(utf8)) readQuestion(block, bank);
}
