#include "app/RawArguments.h"

#include <array>

namespace orvex {
namespace {

constexpr char16_t EscapeBase = 0xDC00;  // + a byte from 0x80 to 0xFF: U+DC80 to U+DCFF

struct Sequence {
    char32_t code = 0;
    std::size_t length = 0;  // 0: no valid UTF-8 sequence starts here
};

// The shortest form only, no surrogates, nothing above U+10FFFF: anything else is raw bytes.
Sequence utf8At(std::string_view bytes, std::size_t at) {
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return {lead, 1};
    }
    struct Form {
        unsigned char mask, value, payload;
        std::size_t length;
        char32_t least;
    };
    constexpr std::array<Form, 3> Forms{{{0xE0, 0xC0, 0x1F, 2, 0x80},
                                         {0xF0, 0xE0, 0x0F, 3, 0x800},
                                         {0xF8, 0xF0, 0x07, 4, 0x10000}}};
    for (const Form& form : Forms) {
        if ((lead & form.mask) != form.value) {
            continue;
        }
        if (at + form.length > bytes.size()) {
            return {};
        }
        char32_t code = lead & form.payload;
        for (std::size_t i = 1; i < form.length; ++i) {
            if ((byte(at + i) & 0xC0) != 0x80) {
                return {};
            }
            code = (code << 6) | (byte(at + i) & 0x3F);
        }
        const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        if (code < form.least || code > 0x10FFFF || surrogate) {
            return {};
        }
        return {code, form.length};
    }
    return {};
}

bool isEscapedByte(char16_t unit) {
    return unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF;
}

}  // namespace

QString argumentText(std::string_view bytes) {
    QString text;
    for (std::size_t at = 0; at < bytes.size();) {
        const Sequence sequence = utf8At(bytes, at);
        if (sequence.length == 0) {
            text +=
                QChar(static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
        } else {
            text += QString::fromUcs4(&sequence.code, 1);
            at += sequence.length;
        }
    }
    return text;
}

QStringList argumentTexts(int argc, const char* const* argv) {
    QStringList texts;
    for (int i = 0; i < argc; ++i) {
        texts << argumentText(argv[i]);
    }
    return texts;
}

std::string argumentBytes(const QString& text) {
    std::string bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes += text.mid(i, 2).toStdString();
            ++i;
        } else if (isEscapedByte(unit.unicode())) {
            bytes += static_cast<char>(unit.unicode() - EscapeBase);
        } else {
            bytes += QString(unit).toStdString();
        }
    }
    return bytes;
}

}  // namespace orvex
