// Writes generated pairs of stored answers and typed texts with the
// verdicts the player's native code gives them, for the module to judge the
// same pairs (verdicts.mjs): one JSON line per quiz of 90 text questions,
// its stored content and codes in base64, the typed texts in UTF-8 (field k
// at k - 1) and the native verdicts. Also times the native judgements.
//   webpairs PAIRS SEED OUT.jsonl
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "content/compose.h"
#include "export/webpage.h"
#include "module/game.h"
#include "module/typed.h"
#include "stored.h"

namespace {

typedef std::vector<unsigned char> Bytes;

std::mt19937 randomness;

int below(int n) { return static_cast<int>(randomness() % static_cast<unsigned>(n)); }

// A byte a stored answer may hold: mostly letters, as answers are, then
// spaces, digits, accented letters, punctuation and, rarely, any byte but
// the zero and the field delimiter.
char anyByte() {
    static const char common[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz    0123456789'-."
                                 "\xC0\xC9\xE0\xE2\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF9\xFB\xFC\x8C\x9C\x80\x92";
    if (below(20) > 0) return common[below(sizeof common - 1)];
    for (;;) {
        const int byte = 1 + below(255);
        if (byte != '|') return static_cast<char>(byte);
    }
}

std::string randomText(int length) {
    std::string text;
    for (int i = 0; i < length; ++i) text += anyByte();
    return text;
}

std::string storedAnswer() {
    const int length = below(10) == 0 ? 1 + below(TextMaxLength) : 1 + below(24);
    return randomText(length);
}

// What a pupil might type for stored: the answer itself in another case,
// typos, anagrams, parts and more, or something else altogether.
std::string typedFor(const std::string& stored) {
    std::string typed = stored;
    const int edits = 1 + below(3);
    switch (below(12)) {
    case 0:
        for (char& c : typed)
            if (below(2)) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        break;
    case 1: case 2: case 3:
        for (int e = 0; e < edits && !typed.empty(); ++e) {
            const int at = below(static_cast<int>(typed.size()));
            switch (below(4)) {
            case 0: typed[at] = anyByte(); break;
            case 1: typed.erase(at, 1); break;
            case 2: typed.insert(typed.begin() + at, anyByte()); break;
            default:
                if (at + 1 < static_cast<int>(typed.size())) std::swap(typed[at], typed[at + 1]);
            }
        }
        break;
    case 4: std::shuffle(typed.begin(), typed.end(), randomness); break;
    case 5: typed = typed.substr(0, typed.size() * (50 + below(50)) / 100); break;
    case 6: typed = typed.substr(below(static_cast<int>(typed.size()))); break;
    case 7: typed = randomText(1 + below(6)) + typed + (below(2) ? randomText(below(6)) : ""); break;
    case 8: typed = std::string(below(3), ' ') + typed + std::string(below(3), ' '); break;
    case 9: typed = randomText(below(30)); break;
    case 10: typed = ""; break;
    default: break;
    }
    if (typed.size() > TextMaxLength) typed.resize(TextMaxLength);
    return typed;
}

std::string base64(const Bytes& bytes) {
    std::string out;
    appendBase64(bytes.data(), bytes.size(), &out);
    return out;
}

std::string utf8(const std::string& windows1252) {
    std::string out(3 * windows1252.size() + 1, '\0');
    out.resize(windows1252ToUtf8(windows1252.c_str(), &out[0], out.size()));
    return out;
}

}  // namespace

struct Batch {
    Bytes content, codes;
    std::vector<std::string> typed;  // UTF-8
};

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: webpairs PAIRS SEED OUT.jsonl\n");
        return 2;
    }
    const long pairs = atol(argv[1]);
    randomness.seed(static_cast<unsigned>(atol(argv[2])));
    std::ofstream out(argv[3], std::ios::binary);
    std::vector<std::string> allTyped, allStored;
    std::vector<Batch> batches;
    long histogram[VerdictCount] = {0};
    for (long done = 0; done < pairs;) {
        const int count = static_cast<int>(std::min<long>(MaxQuestions, pairs - done));
        Quiz quiz;
        quiz.questionCount = count;
        quiz.questionFormat = OneAnswer;
        Batch batch;
        nlohmann::json verdicts = nlohmann::json::array();
        for (int i = 0; i < count; ++i) {
            const std::string stored = storedAnswer();
            const std::string typed = typedFor(stored);
            appendQuestion(&quiz, stored.c_str(), "", "");
            const Verdict verdict = verdictOf(typed.c_str(), stored.c_str());
            ++histogram[static_cast<int>(verdict)];
            batch.typed.push_back(utf8(typed));
            verdicts.push_back(static_cast<int>(verdict));
            allTyped.push_back(typed);
            allStored.push_back(stored);
        }
        batch.content = storedBytes(composeContent(&quiz));
        batch.codes = storedBytes(composeCodes(&quiz));
        const nlohmann::json line = {{"content", base64(batch.content)},
                                     {"codes", base64(batch.codes)},
                                     {"typed", batch.typed},
                                     {"verdicts", verdicts}};
        out << line.dump() << '\n';
        batches.push_back(std::move(batch));
        done += count;
    }
    out.close();
    if (!out) return 1;

    // The native verdicts alone, then a field judged as the page's game
    // judges it (the typed text converted, the field, its reveal and the
    // score), which is what the module does for the page.
    using Clock = std::chrono::steady_clock;
    Clock::time_point started = Clock::now();
    int checksum = 0;
    for (size_t p = 0; p < allTyped.size(); ++p)
        checksum += static_cast<int>(verdictOf(allTyped[p].c_str(), allStored[p].c_str()));
    const double verdictNs = std::chrono::duration<double, std::nano>(Clock::now() - started).count() / allTyped.size();
    std::unique_ptr<WebGame> game(new WebGame());
    double judgedNs = 0;
    for (const Batch& batch : batches) {
        loadGame(game.get(), batch.content.data(), static_cast<uint32_t>(batch.content.size()), batch.codes.data(),
                 static_cast<uint32_t>(batch.codes.size()));
        started = Clock::now();
        for (size_t k = 1; k <= batch.typed.size(); ++k)
            checksum += static_cast<int>(
                judgeAnswer(game.get(), static_cast<int>(k), batch.typed[k - 1].data(), batch.typed[k - 1].size())
                    .verdict);
        judgedNs += std::chrono::duration<double, std::nano>(Clock::now() - started).count();
    }
    printf("native: %.0f ns a verdict, %.0f ns a field judged as the page does (%zu pairs, checksum %d)\n", verdictNs,
           judgedNs / allTyped.size(), allTyped.size(), checksum);
    printf("verdicts:");
    for (int v = 0; v < VerdictCount; ++v)
        printf(" %s %ld%s", utf8(verdictText(static_cast<Verdict>(v))).c_str(), histogram[v], v + 1 < VerdictCount ? "," : "\n");
    return 0;
}
