#include "platform/scripting/ScriptParser.h"

#include <QCoreApplication>

namespace platform::scripting
{

namespace
{

constexpr int kSyntaxError = -2741;
constexpr int kUnknownWord = -2753;

struct Token {
    enum class Kind { Word, Number, String, Symbol, Newline, End };
    Kind kind = Kind::End;
    QString text;
    double number = 0;
    int line = 1;
    int column = 1;
};

// The texts' translation context, as the translation tools see it too.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ScriptParser)
};

ScriptError syntaxError(const Token& at, const QString& expected)
{
    const QString found = at.kind == Token::Kind::End       ? Texts::tr("the end of the script")
                          : at.kind == Token::Kind::Newline ? Texts::tr("the end of the line")
                          : at.kind == Token::Kind::String  ? u'"' + at.text + u'"'
                                                            : u'“' + at.text + u'”';
    return {kSyntaxError, Texts::tr("Syntax error at line %1, column %2: expected %3 but found %4.")
                              .arg(at.line)
                              .arg(at.column)
                              .arg(expected, found)};
}

// Splits the text into words, numbers, strings, symbols and line ends; "--" starts a comment.
std::variant<std::vector<Token>, ScriptError> tokenize(const QString& text)
{
    std::vector<Token> tokens;
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype i = 0;
    auto make = [&](Token::Kind kind, qsizetype start) {
        Token token;
        token.kind = kind;
        token.line = line;
        token.column = int(start - lineStart) + 1;
        return token;
    };
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'\n' || c == u'\r') {
            if (tokens.empty() || tokens.back().kind != Token::Kind::Newline)
                tokens.push_back(make(Token::Kind::Newline, i));
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++i;
            ++line;
            lineStart = i;
        } else if (c.isSpace()) {
            ++i;
        } else if (c == u'-' && i + 1 < text.size() && text[i + 1] == u'-') {
            while (i < text.size() && text[i] != u'\n' && text[i] != u'\r')
                ++i;
        } else if (c == u'"' || c == u'“') {
            Token token = make(Token::Kind::String, i);
            const QChar close = c == u'"' ? u'"' : u'”';
            ++i;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == u'\\' && i + 1 < text.size()) {
                    const QChar e = text[i + 1];
                    token.text += e == u'n' ? u'\n' : e == u't' ? u'\t' : e;
                    i += 2;
                } else if (text[i] == close) {
                    closed = true;
                    ++i;
                    break;
                } else {
                    token.text += text[i++];
                }
            }
            if (!closed)
                return ScriptError{
                    kSyntaxError,
                    Texts::tr("Syntax error at line %1, column %2: a text is not closed.")
                        .arg(token.line)
                        .arg(token.column)};
            tokens.push_back(token);
        } else if (c.isDigit() || (c == u'-' && i + 1 < text.size() && text[i + 1].isDigit() &&
                                   (tokens.empty() || tokens.back().kind == Token::Kind::Symbol ||
                                    tokens.back().kind == Token::Kind::Newline ||
                                    tokens.back().kind == Token::Kind::Word))) {
            Token token = make(Token::Kind::Number, i);
            const qsizetype start = i++;
            while (i < text.size() &&
                   (text[i].isDigit() ||
                    (text[i] == u'.' && i + 1 < text.size() && text[i + 1].isDigit())))
                ++i;
            token.text = text.mid(start, i - start);
            token.number = token.text.toDouble();
            tokens.push_back(token);
        } else if (c.isLetter() || c == u'_') {
            Token token = make(Token::Kind::Word, i);
            const qsizetype start = i;
            while (i < text.size() && (text[i].isLetterOrNumber() || text[i] == u'_' ||
                                       text[i] == u'\'' || text[i] == u'’'))
                ++i;
            token.text = text.mid(start, i - start);
            tokens.push_back(token);
        } else if (QStringLiteral("{},:()").contains(c)) {
            Token token = make(Token::Kind::Symbol, i);
            token.text = c;
            tokens.push_back(token);
            ++i;
        } else {
            Token token = make(Token::Kind::Symbol, i);
            token.text = c;
            return syntaxError(token, Texts::tr("a word, a number or a text"));
        }
    }
    tokens.push_back(make(Token::Kind::End, i));
    return tokens;
}

class Parser
{
public:
    Parser(std::vector<Token> tokens, const ScriptTerminology& terms)
        : m_tokens(std::move(tokens)), m_terms(terms)
    {
    }

    std::variant<std::vector<Statement>, ScriptError> script()
    {
        std::vector<Statement> statements;
        while (true) {
            while (peek().kind == Token::Kind::Newline)
                ++m_pos;
            if (peek().kind == Token::Kind::End)
                break;
            Statement s = statement();
            if (m_error)
                return *m_error;
            if (peek().kind != Token::Kind::Newline && peek().kind != Token::Kind::End) {
                fail(Texts::tr("the end of the line"));
                return *m_error;
            }
            statements.push_back(std::move(s));
        }
        return statements;
    }

private:
    enum class TermKind { Singular, Plural, Property, Command };
    struct Match {
        TermKind kind;
        QString key;   // element key, property key or command key
        QString words; // as written
        int length = 0;
    };

    const Token& peek(int ahead = 0) const
    {
        const qsizetype at = std::min<qsizetype>(m_pos + ahead, qsizetype(m_tokens.size()) - 1);
        return m_tokens[size_t(at)];
    }
    bool isWord(const char* word, int ahead = 0) const
    {
        return peek(ahead).kind == Token::Kind::Word &&
               peek(ahead).text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool takeWord(const char* word)
    {
        if (!isWord(word))
            return false;
        ++m_pos;
        return true;
    }
    bool takeSymbol(QChar symbol)
    {
        if (peek().kind != Token::Kind::Symbol || peek().text != symbol)
            return false;
        ++m_pos;
        return true;
    }
    void fail(const QString& expected)
    {
        if (!m_error)
            m_error = syntaxError(peek(), expected);
    }
    void expectWord(const char* word)
    {
        if (!takeWord(word))
            fail(u'“' + QLatin1String(word) + u'”');
    }

    // The longest term of the terminology that the next words spell.
    std::optional<Match> term() const
    {
        std::optional<Match> best;
        auto consider = [&](const QString& words, TermKind kind, const QString& key) {
            const QStringList parts = words.split(u' ', Qt::SkipEmptyParts);
            for (int k = 0; k < parts.size(); ++k)
                if (peek(k).kind != Token::Kind::Word ||
                    peek(k).text.compare(parts[k], Qt::CaseInsensitive) != 0)
                    return;
            if (!best || parts.size() > best->length)
                best = Match{kind, key, words, int(parts.size())};
        };
        for (const auto& c : m_terms.classes) {
            consider(c.singular, TermKind::Singular, c.elementKey);
            consider(c.plural, TermKind::Plural, c.elementKey);
        }
        for (const auto& p : m_terms.properties)
            consider(p.words, TermKind::Property, p.key);
        for (const auto& c : m_terms.commands)
            consider(c.words, TermKind::Command, c.key);
        return best;
    }
    void unknownWord()
    {
        if (m_error)
            return;
        if (peek().kind != Token::Kind::Word)
            return fail(Texts::tr("a reference or a value"));
        m_error =
            ScriptError{kUnknownWord, Texts::tr("“%1” is not a word this program knows (line %2, "
                                                "column %3).")
                                          .arg(peek().text)
                                          .arg(peek().line)
                                          .arg(peek().column)};
    }

    Statement statement()
    {
        Statement s;
        s.line = peek().line;
        if (takeWord("get")) {
            s.subject = expression();
        } else if (takeWord("set")) {
            s.kind = Statement::Kind::Set;
            s.subject = reference();
            expectWord("to");
            s.value = expression();
        } else if (takeWord("count")) {
            s.kind = Statement::Kind::Count;
            s.subject = expression();
        } else if (takeWord("make")) {
            s.kind = Statement::Kind::Make;
            expectWord("new");
            const auto match = term();
            if (!match || (match->kind != TermKind::Singular && match->kind != TermKind::Plural)) {
                unknownWord();
                return s;
            }
            m_pos += match->length;
            for (const auto& c : m_terms.classes)
                if (c.elementKey == match->key)
                    s.key = c.classKey;
            if (takeWord("at")) {
                s.location = location(true);
            } else if (isWord("before") || isWord("after")) {
                s.location = location(false);
            }
            s.properties = withProperties();
        } else if (takeWord("duplicate")) {
            s.kind = Statement::Kind::Duplicate;
            s.subject = expression();
            s.properties = withProperties();
        } else if (takeWord("move")) {
            s.kind = Statement::Kind::Move;
            s.subject = expression();
            expectWord("to");
            s.value = expression();
        } else if (takeWord("delete")) {
            s.kind = Statement::Kind::Delete;
            s.subject = expression();
        } else if (takeWord("save")) {
            s.kind = Statement::Kind::Save;
        } else if (const auto match = term(); match && match->kind == TermKind::Command) {
            s.kind = Statement::Kind::Command;
            s.key = match->key;
            m_pos += match->length;
            s.value = expression();
        } else {
            s.subject = expression();
        }
        return s;
    }

    ExprPtr withProperties()
    {
        if (!isWord("with"))
            return nullptr;
        ++m_pos;
        expectWord("properties");
        return expression();
    }

    // "end of levels", "beginning of units of level 1", "level 6", "before level 3", ...
    LocationExpr location(bool afterAt)
    {
        LocationExpr where;
        if (afterAt && takeWord("end")) {
            expectWord("of");
        } else if (afterAt && takeWord("beginning")) {
            expectWord("of");
            where.kind = LocationExpr::Kind::Beginning;
        } else if (takeWord("after")) {
            where.kind = LocationExpr::Kind::After;
        } else {
            takeWord("before");
            where.kind = LocationExpr::Kind::Before;
        }
        where.reference = reference();
        return where;
    }

    ExprPtr expression()
    {
        auto e = std::make_shared<Expr>();
        // Lists in lists and brackets in brackets go this deep at most, so that no script can
        // exhaust the program's stack.
        if (m_depth >= kMaxDepth) {
            fail(Texts::tr("a simpler value (lists and brackets nest %1 deep at most)")
                     .arg(kMaxDepth));
            return e;
        }
        ++m_depth;
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{m_depth};
        const Token& t = peek();
        if (t.kind == Token::Kind::String) {
            e->literal = t.text;
            ++m_pos;
        } else if (t.kind == Token::Kind::Number) {
            e->literal = t.number;
            ++m_pos;
        } else if (isWord("current") && isWord("date", 1)) {
            e->kind = Expr::Kind::CurrentDate;
            m_pos += 2;
        } else if (isWord("date") && peek(1).kind == Token::Kind::String) {
            const QDateTime when = QDateTime::fromString(peek(1).text, Qt::ISODateWithMs);
            if (!when.isValid()) {
                ++m_pos;
                fail(Texts::tr("a date such as \"2026-12-07T10:30:00Z\""));
                return e;
            }
            e->literal = when;
            m_pos += 2;
        } else if (takeWord("true") || takeWord("false")) {
            e->literal = peek(-1).text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        } else if (isWord("missing") && isWord("value", 1)) {
            m_pos += 2;
        } else if (takeSymbol(u'{')) {
            listOrRecord(*e);
        } else if (takeSymbol(u'(')) {
            ExprPtr inner = expression();
            if (!takeSymbol(u')'))
                fail(u'“' + QStringLiteral(")") + u'”');
            return inner;
        } else {
            return reference();
        }
        return e;
    }

    void listOrRecord(Expr& e)
    {
        e.kind = Expr::Kind::List;
        if (takeSymbol(u'}'))
            return;
        // A record starts with a key and a colon.
        qsizetype colon = m_pos;
        while (peek(int(colon - m_pos)).kind == Token::Kind::Word)
            ++colon;
        const Token& after = peek(int(colon - m_pos));
        const bool record =
            colon > m_pos && after.kind == Token::Kind::Symbol && after.text == u':';
        if (record)
            e.kind = Expr::Kind::Record;
        do {
            if (record) {
                QString key;
                if (const auto match = term(); match && match->kind == TermKind::Property &&
                                               peek(match->length).text == u':') {
                    key = match->key;
                    m_pos += match->length;
                } else {
                    QStringList words;
                    while (peek().kind == Token::Kind::Word)
                        words.append(m_tokens[size_t(m_pos++)].text);
                    if (words.isEmpty())
                        return fail(Texts::tr("a property name"));
                    key = words.join(u' ');
                }
                if (!takeSymbol(u':'))
                    return fail(u'“' + QStringLiteral(":") + u'”');
                e.fields.emplace_back(key, expression());
            } else {
                e.items.push_back(expression());
            }
            if (m_error)
                return;
        } while (takeSymbol(u','));
        if (!takeSymbol(u'}'))
            fail(Texts::tr("“,” or “}”"));
    }

    ExprPtr reference()
    {
        auto e = std::make_shared<Expr>();
        e->kind = Expr::Kind::Reference;
        do {
            if (!part(e->path))
                return e;
        } while (takeWord("of") || takeWord("in"));
        return e;
    }

    bool part(std::vector<RefPart>& path)
    {
        RefPart p;
        const bool every = takeWord("every");
        const bool first = !every && takeWord("first");
        const bool last = !every && !first && takeWord("last");
        const auto match = term();
        if (!match) {
            unknownWord();
            return false;
        }
        p.key = match->key;
        p.text = match->words;
        m_pos += match->length;
        auto number = [](double n) {
            auto e = std::make_shared<Expr>();
            e->literal = n;
            return e;
        };
        if (match->kind == TermKind::Property && !every && !first && !last) {
            p.form = RefPart::Form::Property;
        } else if (match->kind == TermKind::Command || match->kind == TermKind::Property) {
            m_pos -= match->length;
            fail(Texts::tr("the name of a kind of object"));
            return false;
        } else if (every || (match->kind == TermKind::Plural && !startsValue())) {
            p.form = RefPart::Form::Every;
        } else if (first || last) {
            p.form = RefPart::Form::Index;
            p.first = number(first ? 1 : -1);
        } else if (takeWord("id")) {
            p.form = RefPart::Form::UniqueID;
            p.first = expression();
        } else if (startsValue()) {
            p.form = RefPart::Form::Index;
            p.first = expression();
            if (takeWord("thru") || takeWord("through")) {
                p.form = RefPart::Form::Range;
                p.last = expression();
            }
        } else {
            fail(Texts::tr("an index, “id” or “every”"));
            return false;
        }
        path.push_back(std::move(p));
        return !m_error;
    }

    bool startsValue() const
    {
        const Token& t = peek();
        return t.kind == Token::Kind::Number || t.kind == Token::Kind::String ||
               (t.kind == Token::Kind::Symbol && t.text == u'(');
    }

    std::vector<Token> m_tokens;
    const ScriptTerminology& m_terms;
    static constexpr int kMaxDepth = 100;
    qsizetype m_pos = 0;
    int m_depth = 0;
    std::optional<ScriptError> m_error;
};

} // namespace

std::variant<std::vector<Statement>, ScriptError> parseScript(const QString& text,
                                                              const ScriptTerminology& terms)
{
    auto tokens = tokenize(text);
    if (auto* error = std::get_if<ScriptError>(&tokens))
        return *error;
    Parser parser(std::move(std::get<std::vector<Token>>(tokens)), terms);
    return parser.script();
}

} // namespace platform::scripting
