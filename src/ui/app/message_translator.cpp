#include "app/message_translator.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace kelcc::ui {

namespace {

struct Template {
    const char* source;
    QRegularExpression pattern;
    std::vector<int> argumentNumbers;  // in the order they appear
};

std::vector<Template>& templates() {
    static std::vector<Template> list;
    return list;
}

// "%1" or a placeholder with a format, as in "%1!d!": the text that comes
// in has the number where the whole placeholder was.
const QRegularExpression& placeholder() {
    static const QRegularExpression pattern(
        QStringLiteral("%([1-9])(![-+#0-9.*]*[a-zA-Z]{1,3}!)?"));
    return pattern;
}

Template compile(const char* source) {
    const QString text = QString::fromUtf8(source);
    QString pattern = QStringLiteral("^");
    std::vector<int> numbers;
    qsizetype last = 0;
    for (auto it = placeholder().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        pattern += QRegularExpression::escape(text.mid(last, match.capturedStart() - last));
        pattern += QStringLiteral("(.*)");
        numbers.push_back(match.captured(1).toInt());
        last = match.capturedEnd();
    }
    pattern += QRegularExpression::escape(text.mid(last)) + QStringLiteral("$");
    return {source, QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption),
            std::move(numbers)};
}

}  // namespace

void MessageTranslator::addTemplates(std::initializer_list<const char*> sources) {
    for (const char* source : sources) {
        bool known = false;
        for (const Template& t : templates())
            known = known || QByteArray(t.source) == source;
        if (!known) templates().push_back(compile(source));
    }
}

QString MessageTranslator::translate(const std::string& text) {
    QString source = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QString exact = QCoreApplication::translate(kContext, text.c_str());
    if (exact != source) return exact;
    for (const Template& t : templates()) {
        if (t.argumentNumbers.empty()) continue;
        const auto match = t.pattern.match(source);
        if (!match.hasMatch()) continue;
        QString translated = QCoreApplication::translate(kContext, t.source);
        if (translated == QString::fromUtf8(t.source)) return source;
        // Put the arguments back by number, not position: a translation may
        // reorder them. Replace in one pass so that an argument holding "%2"
        // is not taken for a placeholder.
        QString result;
        qsizetype last = 0;
        for (auto it = placeholder().globalMatch(translated); it.hasNext();) {
            const auto found = it.next();
            result += translated.mid(last, found.capturedStart() - last);
            const int number = found.captured(1).toInt();
            for (std::size_t k = 0; k < t.argumentNumbers.size(); ++k) {
                if (t.argumentNumbers[k] == number) {
                    result += match.captured(static_cast<int>(k) + 1);
                    break;
                }
            }
            last = found.capturedEnd();
        }
        return result + translated.mid(last);
    }
    return source;
}

}  // namespace kelcc::ui
