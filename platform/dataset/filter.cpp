#include "platform/dataset/filter.h"

#include "platform/dataset/dataset.h"

// Grammar (keywords in any letter case):
//   expr    := term { OR term }
//   term    := factor { AND factor }
//   factor  := '(' expr ')' | NOT factor | compare
//   compare := FIELD ('=' | '<>') (QUOTED | NUMBER | NULL)
struct FilterExpression::Node {
    enum Kind { Or, And, Not, Equal, NotEqual } kind;
    std::unique_ptr<Node> left, right;
    int fieldIndex = -1;
    FieldType fieldType = FieldType::String;
    QVariant literal; // coerced to the field's type; invalid = NULL

    bool eval(const std::vector<QVariant>& row) const {
        switch (kind) {
        case Or:
            return left->eval(row) || right->eval(row);
        case And:
            return left->eval(row) && right->eval(row);
        case Not:
            return !left->eval(row);
        case Equal:
            return equal(row);
        case NotEqual:
            return !equal(row);
        }
        return false;
    }

    bool equal(const std::vector<QVariant>& row) const {
        const QVariant& v = row[size_t(fieldIndex)];
        const bool vNull =
            !v.isValid() || (fieldType == FieldType::String && v.toString().isEmpty());
        if (!literal.isValid()) return vNull;
        if (!v.isValid()) return false;
        switch (fieldType) {
        case FieldType::String:
            return v.toString() == literal.toString();
        case FieldType::Integer:
        case FieldType::Int64:
            return v.toLongLong() == literal.toLongLong();
        case FieldType::Float:
            return v.toDouble() == literal.toDouble();
        case FieldType::Date:
            return v.toDate() == literal.toDate();
        case FieldType::Boolean:
            return v.toBool() == literal.toBool();
        }
        return false;
    }
};

namespace {

struct Token {
    enum Type { Ident, Quoted, Number, LParen, RParen, Eq, Ne, End } type;
    QString text;
};

class Parser {
public:
    Parser(const QString& text, const DataSet& table) : src_(text), table_(table) { advance(); }

    std::unique_ptr<FilterExpression::Node> parseAll() {
        auto n = parseOr();
        if (tok_.type != Token::End)
            fail(QStringLiteral("nieoczekiwany tekst '%1'").arg(tok_.text));
        return n;
    }

private:
    using Node = FilterExpression::Node;

    [[noreturn]] void fail(const QString& why) const {
        throw DataSetError(QStringLiteral("Błędny filtr tabeli %1: \"%2\" (%3)")
                               .arg(table_.name(), src_, why)
                               .toStdString());
    }

    bool isKeyword(const char* kw) const {
        return tok_.type == Token::Ident &&
               tok_.text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }

    static std::unique_ptr<Node> join(Node::Kind k, std::unique_ptr<Node> l,
                                      std::unique_ptr<Node> r) {
        auto n = std::make_unique<Node>();
        n->kind = k;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    std::unique_ptr<Node> parseOr() {
        auto n = parseAnd();
        while (isKeyword("or")) {
            advance();
            n = join(Node::Or, std::move(n), parseAnd());
        }
        return n;
    }

    std::unique_ptr<Node> parseAnd() {
        auto n = parseFactor();
        while (isKeyword("and")) {
            advance();
            n = join(Node::And, std::move(n), parseFactor());
        }
        return n;
    }

    std::unique_ptr<Node> parseFactor() {
        if (++depth_ > 200) fail(QStringLiteral("zbyt głębokie zagnieżdżenie"));
        std::unique_ptr<Node> n;
        if (tok_.type == Token::LParen) {
            advance();
            n = parseOr();
            if (tok_.type != Token::RParen) fail(QStringLiteral("brak nawiasu zamykającego"));
            advance();
        } else if (isKeyword("not")) {
            advance();
            n = join(Node::Not, parseFactor(), nullptr);
        } else {
            n = parseCompare();
        }
        --depth_;
        return n;
    }

    std::unique_ptr<Node> parseCompare() {
        if (tok_.type != Token::Ident) fail(QStringLiteral("oczekiwano nazwy pola"));
        const Field* f = table_.findField(tok_.text);
        if (!f) fail(QStringLiteral("nieznane pole '%1'").arg(tok_.text));
        if (f->kind() == FieldKind::Lookup)
            fail(QStringLiteral("pole '%1' nie jest polem danych").arg(f->name()));
        advance();
        auto n = std::make_unique<Node>();
        if (tok_.type == Token::Eq)
            n->kind = Node::Equal;
        else if (tok_.type == Token::Ne)
            n->kind = Node::NotEqual;
        else
            fail(QStringLiteral("oczekiwano '=' lub '<>'"));
        advance();
        n->fieldIndex = f->index();
        n->fieldType = f->type();
        if (isKeyword("null")) {
            n->literal = QVariant();
        } else if (tok_.type == Token::Quoted || tok_.type == Token::Number) {
            try {
                n->literal = FieldText::coerce(f->type(), 0, QVariant(tok_.text));
            } catch (const DataSetError&) {
                fail(
                    QStringLiteral("wartość '%1' nie pasuje do pola %2").arg(tok_.text, f->name()));
            }
        } else {
            fail(QStringLiteral("oczekiwano wartości"));
        }
        advance();
        return n;
    }

    void advance() {
        while (pos_ < src_.size() && src_[pos_].isSpace())
            ++pos_;
        if (pos_ >= src_.size()) {
            tok_ = {Token::End, QString()};
            return;
        }
        const QChar c = src_[pos_];
        if (c == QLatin1Char('(')) {
            ++pos_;
            tok_ = {Token::LParen, QStringLiteral("(")};
            return;
        }
        if (c == QLatin1Char(')')) {
            ++pos_;
            tok_ = {Token::RParen, QStringLiteral(")")};
            return;
        }
        if (c == QLatin1Char('=')) {
            ++pos_;
            tok_ = {Token::Eq, QStringLiteral("=")};
            return;
        }
        if (c == QLatin1Char('<') && pos_ + 1 < src_.size() && src_[pos_ + 1] == QLatin1Char('>')) {
            pos_ += 2;
            tok_ = {Token::Ne, QStringLiteral("<>")};
            return;
        }
        if (c == QLatin1Char('\'')) {
            QString text;
            ++pos_;
            for (;;) {
                if (pos_ >= src_.size()) fail(QStringLiteral("niezamknięty cudzysłów"));
                if (src_[pos_] == QLatin1Char('\'')) {
                    if (pos_ + 1 < src_.size() && src_[pos_ + 1] == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                text += src_[pos_++];
            }
            tok_ = {Token::Quoted, text};
            return;
        }
        if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+')) {
            const qsizetype start = pos_++;
            while (pos_ < src_.size() && (src_[pos_].isDigit() || src_[pos_] == QLatin1Char('.') ||
                                          src_[pos_] == QLatin1Char(',')))
                ++pos_;
            tok_ = {Token::Number, src_.mid(start, pos_ - start)};
            return;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            // Field names may contain letters, digits, '_' and '.' ("Lp.").
            const qsizetype start = pos_++;
            while (pos_ < src_.size() &&
                   (src_[pos_].isLetterOrNumber() || src_[pos_] == QLatin1Char('_') ||
                    src_[pos_] == QLatin1Char('.')))
                ++pos_;
            tok_ = {Token::Ident, src_.mid(start, pos_ - start)};
            return;
        }
        fail(QStringLiteral("nieoczekiwany znak '%1'").arg(c));
    }

    const QString& src_;
    const DataSet& table_;
    qsizetype pos_ = 0;
    int depth_ = 0;
    Token tok_{Token::End, QString()};
};

} // namespace

FilterExpression::FilterExpression() = default;
FilterExpression::~FilterExpression() = default;
FilterExpression::FilterExpression(FilterExpression&&) noexcept = default;
FilterExpression& FilterExpression::operator=(FilterExpression&&) noexcept = default;

FilterExpression FilterExpression::parse(const QString& text, const DataSet& table) {
    FilterExpression e;
    if (text.trimmed().isEmpty()) return e;
    Parser p(text, table);
    e.root_ = p.parseAll();
    return e;
}

bool FilterExpression::matches(const std::vector<QVariant>& row) const {
    return !root_ || root_->eval(row);
}
