#include "manifestcheck.h"

#include <stdio.h>

#include <map>
#include <set>

#include "encoding.h"
#include "format/text.h"

namespace {

std::string hexCodePoint(unsigned long value) {
    char buffer[16];
    snprintf(buffer, sizeof buffer, "U+%04lX", value);
    return buffer;
}

// Lower-case letters with accents that French keyboards type directly or
// with a dead key, and the few symbols printed on their keys.
bool onUsualKeyboard(unsigned long cp) {
    if (cp >= 0x20 && cp <= 0x7E) return true;
    static const unsigned long extra[] = {
        0xE0, 0xE2, 0xE4, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEE, 0xEF, 0xF4, 0xF6, 0xF9, 0xFB, 0xFC, 0xFF,
        0xB0, 0xA3, 0xB5, 0xA7, 0xB2, 0xA4, 0x20AC,
    };
    for (unsigned long allowed : extra)
        if (cp == allowed) return true;
    return false;
}

bool isAccentedCapital(unsigned long cp) {
    return (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) || cp == 0x152 || cp == 0x160 || cp == 0x178 || cp == 0x17D;
}

bool isCurlyQuote(unsigned long cp) {
    return cp == 0x2018 || cp == 0x2019 || cp == 0x201A || cp == 0x201C || cp == 0x201D || cp == 0x201E ||
           cp == 0xAB || cp == 0xBB || cp == 0x2039 || cp == 0x203A;
}

// "'a', 'b'", or in French "« a », « b »".
std::string joinQuoted(const std::set<std::string>& characters, bool french = false) {
    std::string out;
    for (const std::string& character : characters) {
        if (!out.empty()) out += ", ";
        out += french ? u8"« " + character + u8" »" : "'" + character + "'";
    }
    return out;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// An empty answer that the player asks for: no typed answer is ever right,
// so no pupil can finish the quiz. The second answer is asked for only in a
// two-answer quiz (a one-answer quiz checks it as a plain text).
void refuseEmptyAnswer(const std::string& where, std::vector<Problem>* problems) {
    const std::string never = "no typed answer can ever be right, so no pupil can finish the quiz";
    const std::string jamais = u8"aucune réponse tapée ne pourra être juste et aucun élève ne pourra finir le quiz";
    if (endsWith(where, keyName(Field::SecondAnswer))) {
        addError(problems, where,
                 "is empty in a two-answer quiz: " + never +
                     "; fill it in, or make a one-answer quiz (questionFormat 1; when importing, --format 1)",
                 u8"est vide dans un quiz à « " + std::string(choiceOf(Field::QuestionFormat, TwoAnswers)->label) +
                     u8" » : " + jamais + u8" ; remplissez-la, ou choisissez « " +
                     choiceOf(Field::QuestionFormat, OneAnswer)->label + u8" » dans " +
                     keyOf(Field::QuestionFormat)->french);
        return;
    }
    addError(problems, where, "is empty: " + never + "; fill it in, or delete the question",
             u8"est vide : " + jamais + u8" ; remplissez-la, ou supprimez la question");
}

// Warnings for an answer that players are unlikely to type as stored: the
// player compares bytes, trims only the typed answer and folds only a to z.
void warnAboutAnswer(const std::string& utf8, const std::string& where, std::vector<Problem>* problems) {
    if (utf8.front() == ' ' || utf8.back() == ' ')
        addWarning(problems, where,
                   "starts or ends with a space: typed answers are trimmed, so they can never match it",
                   u8"commence ou finit par une espace : le lecteur retire les espaces autour de la réponse "
                   u8"tapée, qui ne pourra donc jamais être juste");
    std::set<std::string> quotes, spaces, capitals, others;
    for (const CodePoint& point : codePoints(utf8)) {
        if (isCurlyQuote(point.value)) quotes.insert(point.bytes);
        else if (point.value == 0xA0) spaces.insert(hexCodePoint(point.value));
        else if (isAccentedCapital(point.value)) capitals.insert(point.bytes);
        else if (!onUsualKeyboard(point.value)) others.insert(point.bytes);
    }
    if (!quotes.empty())
        addWarning(problems, where,
                   "holds the curly apostrophe or quote " + joinQuoted(quotes) +
                       ": players type a straight ' or \" instead, which counts as another character",
                   u8"contient l'apostrophe ou le guillemet typographique " + joinQuoted(quotes, true) +
                       u8" : les joueurs tapent ' ou \" à la place, que le lecteur compte comme un autre caractère");
    if (!spaces.empty())
        addWarning(problems, where, "holds a non-breaking space: players type an ordinary space instead",
                   u8"contient une espace insécable : les joueurs tapent une espace ordinaire à la place");
    if (!capitals.empty())
        addWarning(problems, where,
                   "holds the accented capital " + joinQuoted(capitals) +
                       ": players type the small letter, which the player does not take for the capital",
                   u8"contient la majuscule accentuée " + joinQuoted(capitals, true) +
                       u8" : les joueurs tapent la minuscule, que le lecteur ne prend pas pour la majuscule");
    if (!others.empty())
        addWarning(problems, where, "holds " + joinQuoted(others) + ", which is not on a usual keyboard",
                   u8"contient " + joinQuoted(others, true) + u8", absent d'un clavier ordinaire");
}


// The values of a setting's choices that pass, for messages: "2, 3 and 4",
// and in French as its list names them, "« Texte », « Texte et image » et
// « Tous les textes à la fin »".
Message choicesWhere(Field setting, bool (*passes)(int value)) {
    std::vector<SettingChoice> chosen;
    for (const SettingChoice& choice : choicesOf(setting))
        if (passes(choice.value)) chosen.push_back(choice);
    Message list;
    for (size_t i = 0; i < chosen.size(); ++i) {
        const bool last = i + 1 == chosen.size() && i > 0;
        list.english += (i == 0 ? "" : last ? " and " : ", ") + std::to_string(chosen[i].value);
        list.french += std::string(i == 0 ? "" : last ? u8" et " : ", ") + u8"« " + chosen[i].label + u8" »";
    }
    return list;
}

// "style 1" and "style Images": a style named in English and in French.
Message styleNamed(int style) {
    return {std::string(keyName(Field::Style)) + " " + std::to_string(style),
            std::string("style ") + choiceOf(Field::Style, style)->french};
}

}  // namespace

bool checkText(const std::string& utf8, TextKind kind, const std::string& where, std::string* cp1252,
               std::vector<Problem>* problems) {
    cp1252->clear();
    std::string converted;
    if (!utf8ToCp1252(utf8, &converted)) {
        std::map<std::string, unsigned long> missing;   // each character once, in the order of its bytes
        for (const CodePoint& point : codePoints(utf8)) {
            std::string ignored;
            if (!utf8ToCp1252(point.bytes, &ignored)) missing[point.bytes] = point.value;
        }
        std::string list, french;
        for (const auto& character : missing) {
            const std::string code = " (" + hexCodePoint(character.second) + ")";
            list += (list.empty() ? "" : ", ") + character.first + code;
            french += (french.empty() ? u8"« " : u8", « ") + character.first + u8" »" + code;
        }
        addError(problems, where, "holds " + list + ", which Windows-1252 cannot store",
                 u8"contient " + french + u8", que le lecteur ne sait pas enregistrer (hors de Windows-1252)");
        return false;
    }
    bool fine = true;
    if (converted.find('|') != std::string::npos) {
        if (kind == AnswerText)
            addError(problems, where,
                     "holds a '|', which the player reads as the end of the text: write one answer per field; "
                     "a second spelling needs the second answer field, in a two-answer quiz (questionFormat 2)",
                     u8"contient « | », que le lecteur lit comme la fin du texte : écrivez une seule réponse par "
                     u8"champ ; une deuxième écriture demande le champ « " + std::string(keyOf(Field::SecondAnswer)->french) +
                         u8" », dans un quiz à « " + choiceOf(Field::QuestionFormat, TwoAnswers)->label + u8" »");
        else
            addError(problems, where,
                     "holds a '|', which the player reads as the end of the text: write another character, "
                     "such as '/' or '-'",
                     u8"contient « | », que le lecteur lit comme la fin du texte : écrivez un autre caractère, "
                     u8"comme « / » ou « - »");
        fine = false;
    }
    if (converted.find('\0') != std::string::npos) {
        addError(problems, where, "holds a zero character, which the player drops",
                 u8"contient un caractère nul, que le lecteur supprime");
        fine = false;
    }
    if (kind == CodeText && converted.find_first_of("\r\n") != std::string::npos) {
        addError(problems, where, "holds a line break, which would shift every following code",
                 u8"contient un retour à la ligne, qui décalerait tous les codes suivants");
        fine = false;
    }
    if (converted.size() > TextMaxLength) {
        addError(problems, where,
                 "is " + std::to_string(converted.size()) + " bytes long in Windows-1252; at most " +
                     std::to_string(TextMaxLength) + " fit",
                 u8"est trop long : " + std::to_string(converted.size()) + u8" caractères, pour " +
                     std::to_string(TextMaxLength) + u8" au plus");
        fine = false;
    }
    if (kind == AnswerText && utf8.empty()) {
        refuseEmptyAnswer(where, problems);
        return false;
    }
    if (kind == AnswerText) warnAboutAnswer(utf8, where, problems);
    if (fine) *cp1252 = converted;
    return fine;
}

void settleQuestion(const Manifest& manifest, const std::string& prefix, ManifestQuestion* question,
                    std::vector<Problem>* problems) {
    const std::string format = keyName(Field::QuestionFormat), mode = keyName(Field::AnswerMode);
    if (manifest.questionFormat != TwoAnswers && !question->secondAnswer.empty()) {
        addWarning(problems, prefix + keyName(Field::SecondAnswer),
                   "not stored: only " + format + " " + std::to_string(TwoAnswers) + " has a second answer",
                   u8"pas enregistrée : il faut « " + std::string(choiceOf(Field::QuestionFormat, TwoAnswers)->label) +
                       u8" » dans " + keyOf(Field::QuestionFormat)->french);
        question->secondAnswer.clear();
    }
    if (!question->reveal.empty() && !modeCarriesReveals(manifest.answerMode)) {
        const Message modes = choicesWhere(Field::AnswerMode, modeCarriesReveals);
        addWarning(problems, prefix + keyName(Field::Reveal),
                   "not stored: only " + mode + " " + modes.english + " show reveal texts",
                   u8"pas enregistrée : seuls les affichages " + modes.french + u8" montrent la " +
                       keyOf(Field::Reveal)->french);
        question->reveal.clear();
    }
    if (!question->media.empty() && manifest.style == StyleText) {
        const Message text = styleNamed(StyleText);
        addError(problems, prefix + keyName(Field::Media),
                 "a text quiz (" + text.english + ") shows no media; remove it or change the style",
                 u8"un quiz de " + text.french + u8" ne montre aucun média : retirez-le ou changez le style");
    }
    if (!question->caption.empty() && manifest.style != StyleText && manifest.style >= 0) {
        const Message text = styleNamed(StyleText);
        addWarning(problems, prefix + keyName(Field::Caption),
                   "stored but never shown: only a text quiz (" + text.english +
                       ") shows a question's caption; the other styles show its media",
                   u8"enregistré mais jamais montré : seul un quiz de " + text.french +
                       u8" montre le " + keyOf(Field::Caption)->french + u8" ; les autres styles montrent le média");
    }
    if (!question->answerPicture.empty() && !modeShowsAnswerPicture(manifest.answerMode)) {
        const Message modes = choicesWhere(Field::AnswerMode, modeShowsAnswerPicture);
        addWarning(problems, prefix + keyName(Field::AnswerPicture),
                   "stored but not shown: only " + mode + " " + modes.english + " show answer pictures",
                   u8"enregistrée mais jamais montrée : seuls les affichages " + modes.french + u8" la montrent");
    }
    if (!question->webVideo.empty() && manifest.style != StyleVideos) {
        const Message videos = styleNamed(StyleVideos);
        addWarning(problems, prefix + keyName(Field::WebVideo),
                   "not used: only a video quiz (" + videos.english + ") shows a video in browsers",
                   u8"inutilisée : seul un quiz de " + videos.french + u8" montre une vidéo dans le navigateur");
    }
}

void warnAboutHiddenRowCaptions(const Manifest& manifest, std::vector<Problem>* problems) {
    if (manifest.questionFormat == TwoAnswers) return;
    const Field captions[] = {Field::FirstRowCaption, Field::SecondRowCaption};
    for (Field field : captions) {
        const ManifestKey& key = *keyOf(field);
        if ((manifest.*key.quizText).empty()) continue;
        addWarning(problems, key.name,
                   "stored but never shown: only a two-answer quiz (" + std::string(keyName(Field::QuestionFormat)) +
                       " " + std::to_string(TwoAnswers) + ") shows the row captions",
                   u8"enregistrée mais jamais montrée : seul un quiz à « " +
                       std::string(choiceOf(Field::QuestionFormat, TwoAnswers)->label) +
                       u8" » montre les légendes des réponses");
    }
}

void warnAboutHiddenReveals(const Manifest& manifest, std::vector<Problem>* problems) {
    // The board makes reveal boxes and picture boxes only for picture quizzes.
    bool reveals = false, pictures = false;
    for (const ManifestQuestion& question : manifest.questions) {
        reveals = reveals || !question.reveal.empty();
        pictures = pictures || !question.answerPicture.empty();
    }
    if (manifest.style == StylePictures) return;
    const Message style = styleNamed(StylePictures);
    const std::string choose = std::string(u8" : choisissez « ") + choiceOf(Field::Style, StylePictures)->label +
                               u8" » dans " + keyOf(Field::Style)->french;
    if (reveals) {
        const Message modes = choicesWhere(Field::AnswerMode, modeCarriesReveals);
        addWarning(problems, keyName(Field::Questions),
                   "reveal texts are stored but never shown: only a picture quiz (" + style.english +
                       ") shows them, with " + keyName(Field::AnswerMode) + " " + modes.english,
                   u8"les révélations sont enregistrées mais jamais montrées : seul un quiz de " + style.french +
                       u8" les montre, avec " + modes.french + u8" dans " + keyOf(Field::AnswerMode)->french + choose);
    }
    if (pictures)
        addWarning(problems, keyName(Field::Questions),
                   "answer pictures are stored but never shown: only a picture quiz (" + style.english +
                       ") shows them",
                   u8"les images de la réponse sont enregistrées mais jamais montrées : seul un quiz de " +
                       style.french + u8" les montre" + choose);
}
