#include "random_texts.h"

#include <array>
#include <cmath>

namespace monkey {
namespace {

using namespace Qt::StringLiterals;

QChar pick(Random& random, const QString& characters) { return characters[uniform(random, 0, characters.size() - 1)]; }

const QString ascii_digits = u"0123456789"_s;
const QString full_width_digits = u"０１２３４５６７８９"_s;

QChar digit(Random& random) {
    const int d = uniform(random, 0, 9);
    return chance(random, 0.15) ? full_width_digits[d] : ascii_digits[d];
}

QString digits(Random& random, int low, int high) {
    QString text;
    for (int n = uniform(random, low, high); n > 0; --n) text += digit(random);
    return text;
}

QString sign(Random& random) {
    static const std::array<QString, 6> signs{u""_s, u""_s, u"-"_s, u"+"_s, u"－"_s, u"＋"_s};
    return signs[uniform(random, 0, int(signs.size()) - 1)];
}

QString exponent(Random& random) {
    static const QString letters = u"eEdDｅＥｄＤ"_s;
    QString text = pick(random, letters);
    if (chance(random, 0.5)) text += sign(random);
    return text + digits(random, 0, chance(random, 0.1) ? 5 : 3);  // no digit: not an exponent
}

// Digits with a point somewhere (or none), an exponent now and then.
QString decimal(Random& random) {
    QString text = sign(random) + digits(random, 0, chance(random, 0.1) ? 25 : 8);
    if (chance(random, 0.4)) text += (chance(random, 0.8) ? u"."_s : u"．"_s) + digits(random, 0, 8);
    if (chance(random, 0.15)) text += exponent(random);
    return text;
}

// Texts the program writes itself, and edges of the reading rules.
const std::array<QString, 22> special_texts{
    u"1.#INF"_s, u"-1.#INF"_s, u"-1.#IND"_s, u"1.#QNAN"_s, u"-1.#QNAN"_s, u"-0"_s, u"0"_s, u"1e400"_s,
    u"-1e400"_s, u"1e-400"_s, u"4.940656458412e-324"_s, u"1.7976931348623158e308"_s,
    u"1.7976931348623159e308"_s, u"9007199254740993"_s, u"100"_s, u"30"_s, u"-100"_s, u"1e+015"_s,
    u"9999999999999.5"_s, u"0.000099999999999995"_s, u"1,234"_s, u"12.5%"_s};

const std::array<QString, 9> suffixes{u"元"_s, u"%"_s, u"％"_s, u"abc"_s, u" 7"_s, u"#INF"_s, u"，０００"_s, u"e"_s, u"-3"_s};

const QString ascii_printable = u" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"_s;
const QString full_width = u"０１２３４５６７８９．－＋ｅＥｄＤ　，％～￥＄"_s + QChar(0x2605) + QChar(0x2606);
const QString chinese = u"元一二三百千万毛利率计算清空数值增长"_s;
// Printable, but not in GBK: the yen sign, the wave dash, a combining acute accent, a Hangul syllable.
const QString outside_gbk = u"\u00A5\u301C\u0301\uAC00"_s;
// One-byte GBK that reads as a lead byte: the euro sign.
const QString euro = u"€"_s;
const QString wide_and_control = u"\U0001F600\U00020000\t\n\r\u0001\u001B\u007F\u0085\u2028\u200B\uFEFF"_s;

QChar noise_character(Random& random) {
    switch (uniform(random, 0, 9)) {
        case 0: case 1: case 2: return pick(random, ascii_printable);
        case 3: case 4: case 5: return pick(random, full_width);
        case 6: case 7: return pick(random, chinese);
        case 8: return pick(random, outside_gbk);
        default: return pick(random, euro);
    }
}

// A character outside the Basic Multilingual Plane is its two surrogates; the rest is one QChar.
QString wide_or_control(Random& random) {
    const int at = uniform(random, 0, int(wide_and_control.size()) - 1);
    if (wide_and_control[at].isHighSurrogate()) return wide_and_control.mid(at, 2);
    if (wide_and_control[at].isLowSurrogate()) return wide_and_control.mid(at - 1, 2);
    return wide_and_control.mid(at, 1);
}

}  // namespace

int uniform(Random& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

bool chance(Random& random, double probability) { return std::bernoulli_distribution(probability)(random); }

QString number_text(Random& random) {
    if (chance(random, 0.12)) return special_texts[uniform(random, 0, int(special_texts.size()) - 1)];
    QString text = decimal(random);
    if (chance(random, 0.08)) text.prepend(chance(random, 0.5) ? u"  "_s : u"\u3000"_s);
    if (chance(random, 0.1)) text += suffixes[uniform(random, 0, int(suffixes.size()) - 1)];
    return text;
}

QString typed_noise(Random& random) {
    QString text;
    for (int n = uniform(random, 1, 8); n > 0; --n) text += noise_character(random);
    return text;
}

QString pasted_text(Random& random) {
    QString text;
    for (int n = uniform(random, 0, 12); n > 0; --n) {
        switch (uniform(random, 0, 3)) {
            case 0: text += number_text(random); break;
            case 1: text += wide_or_control(random); break;
            default: text += noise_character(random); break;
        }
    }
    return text;
}

QString long_pasted_text(Random& random) {
    const double log_length = std::uniform_real_distribution<double>(std::log(16384.0), std::log(1048576.0))(random);
    const auto length = static_cast<qsizetype>(std::exp(log_length));
    switch (uniform(random, 0, 3)) {
        case 0: return u"1"_s + QString(length - 1, u'0');                 // far beyond the largest double
        case 1: return u"0."_s + QString(length - 3, u'0') + u"1"_s;       // far below the smallest
        case 2: return QString(u"123.45"_s).repeated(length / 6);          // reads as 123.45123...
        default: {
            QString text;
            text.reserve(length);
            while (text.size() < length) text += noise_character(random);
            return text;
        }
    }
}

bool all_printable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            if (!QChar::isPrint(QChar::surrogateToUcs4(c, text[i + 1]))) return false;
            ++i;
        } else if (!c.isPrint()) {
            return false;
        }
    }
    return true;
}

}  // namespace monkey
