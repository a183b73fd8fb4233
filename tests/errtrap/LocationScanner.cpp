#include "LocationScanner.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace locations {

namespace {

bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('~'); }

// The source with comments blanked and the insides of string and character literals blanked,
// newlines kept: every offset is the source's own, and braces and parentheses in it are code.
QString Masked(const QString& source) {
  QString masked = source;
  const qsizetype size = source.size();
  const auto blank = [&](qsizetype from, qsizetype to) {
    for (qsizetype k = from; k < to && k < size; ++k) {
      if (masked[k] != QLatin1Char('\n')) masked[k] = QLatin1Char(' ');
    }
  };
  qsizetype i = 0;
  while (i < size) {
    const QChar c = source[i];
    if (source.mid(i, 2) == QLatin1String("//")) {
      qsizetype end = source.indexOf(QLatin1Char('\n'), i);
      if (end < 0) end = size;
      blank(i, end);
      i = end;
    } else if (source.mid(i, 2) == QLatin1String("/*")) {
      qsizetype end = source.indexOf(QLatin1String("*/"), i + 2);
      end = end < 0 ? size : end + 2;
      blank(i, end);
      i = end;
    } else if (c == QLatin1Char('"') && i > 0 && source[i - 1] == QLatin1Char('R')) {
      // A raw string: R"delimiter( ... )delimiter"
      const qsizetype open = source.indexOf(QLatin1Char('('), i);
      if (open < 0) break;
      const QString close = QLatin1Char(')') + source.mid(i + 1, open - i - 1) + QLatin1Char('"');
      qsizetype end = source.indexOf(close, open);
      end = end < 0 ? size : end + close.size();
      blank(i + 1, end - 1);
      i = end;
    } else if (c == QLatin1Char('"') || (c == QLatin1Char('\'') && !(i > 0 && source[i - 1].isLetterOrNumber()))) {
      // A literal; a quote after a digit is a digit separator (1'000).
      qsizetype end = i + 1;
      while (end < size && source[end] != c && source[end] != QLatin1Char('\n')) {
        if (source[end] == QLatin1Char('\\')) ++end;
        ++end;
      }
      blank(i + 1, end);
      i = end + 1;
    } else {
      ++i;
    }
  }
  return masked;
}

// Reads the code backwards from an offset.
class Backwards {
 public:
  explicit Backwards(const QString& code) : code_(code) {}

  qsizetype SkipSpace(qsizetype i) const {
    while (i >= 0 && code_[i].isSpace()) --i;
    return i;
  }
  // The name that ends at i, and where it starts.
  QString NameEndingAt(qsizetype i, qsizetype* start) const {
    qsizetype j = i;
    while (j >= 0 && IsNameChar(code_[j])) --j;
    *start = j + 1;
    return code_.mid(j + 1, i - j);
  }
  // The opening bracket that matches the closing one at i, or -1.
  qsizetype Opening(qsizetype i) const {
    const QChar close = code_[i];
    const QChar open = close == QLatin1Char(')')   ? QLatin1Char('(')
                       : close == QLatin1Char(']') ? QLatin1Char('[')
                                                   : QLatin1Char('{');
    int depth = 0;
    for (; i >= 0; --i) {
      if (code_[i] == close) ++depth;
      if (code_[i] == open && --depth == 0) return i;
    }
    return -1;
  }
  bool IsSingleColon(qsizetype i) const {
    return i >= 0 && code_[i] == QLatin1Char(':') && (i == 0 || code_[i - 1] != QLatin1Char(':')) &&
           (i + 1 >= code_.size() || code_[i + 1] != QLatin1Char(':'));
  }

 private:
  const QString& code_;
};

enum class ScopeKind { Function, Lambda, Named, Block };

struct Scope {
  qsizetype open = 0;
  qsizetype close = 0;
  ScopeKind kind = ScopeKind::Block;
  QString name;       // a function's or a named scope's
  QString qualifier;  // a function's class, when defined outside it
};

// What the brace at `brace` opens.
Scope Classify(const QString& code, qsizetype brace) {
  const Backwards back(code);
  Scope scope;
  scope.open = brace;
  qsizetype i = back.SkipSpace(brace - 1);
  // A trailing return type: ") -> Type {"
  qsizetype j = i;
  while (j >= 0 && (IsNameChar(code[j]) || QStringLiteral("*&:<>, \n\t").contains(code[j]))) --j;
  if (j >= 0 && code[j] == QLatin1Char('-') && code[j + 1] == QLatin1Char('>')) i = back.SkipSpace(j - 1);
  // Qualifiers after the parameter list.
  static const QSet<QString> kQualifiers{QStringLiteral("const"), QStringLiteral("override"), QStringLiteral("final"),
                                         QStringLiteral("noexcept"), QStringLiteral("mutable")};
  for (;;) {
    qsizetype start = 0;
    if (i < 0 || !kQualifiers.contains(back.NameEndingAt(i, &start))) break;
    i = back.SkipSpace(start - 1);
  }
  if (i >= 0 && code[i] == QLatin1Char(']')) {
    scope.kind = ScopeKind::Lambda;
    return scope;
  }
  if (i < 0 || code[i] != QLatin1Char(')')) {
    // "namespace Name {", "class Name : public Base {", "struct Name {": the last such word of
    // the statement before the brace.
    qsizetype start = i;
    while (start >= 0 && !QStringLiteral(";{}").contains(code[start])) --start;
    static const QRegularExpression kNamed(QStringLiteral("\\b(?:namespace|class|struct)\\s+(\\w+)"));
    auto matches = kNamed.globalMatch(code.mid(start + 1, i - start));
    while (matches.hasNext()) {
      scope.kind = ScopeKind::Named;
      scope.name = matches.next().captured(1);
    }
    if (scope.kind != ScopeKind::Named && code.mid(start + 1, i - start).contains(QLatin1String("namespace"))) {
      scope.kind = ScopeKind::Named;  // an anonymous namespace: no name of its own
    }
    return scope;
  }
  static const QSet<QString> kStatements{QStringLiteral("if"), QStringLiteral("for"), QStringLiteral("while"),
                                         QStringLiteral("switch"), QStringLiteral("catch")};
  for (;;) {
    const qsizetype open = back.Opening(i);
    if (open < 0) return scope;
    const qsizetype k = back.SkipSpace(open - 1);
    if (k >= 0 && code[k] == QLatin1Char(']')) {
      scope.kind = ScopeKind::Lambda;
      return scope;
    }
    qsizetype nameStart = 0;
    const QString name = k >= 0 ? back.NameEndingAt(k, &nameStart) : QString();
    if (name.isEmpty() || kStatements.contains(name)) return scope;
    const qsizetype before = back.SkipSpace(nameStart - 1);
    if (before >= 0 && (code[before] == QLatin1Char(',') || back.IsSingleColon(before))) {
      // A member initializer of a constructor: go back over the list to the parameter list.
      qsizetype at = before;
      while (!back.IsSingleColon(at)) {
        const qsizetype end = back.SkipSpace(at - 1);
        if (end < 0 || !(code[end] == QLatin1Char(')') || code[end] == QLatin1Char('}'))) return scope;
        qsizetype start = 0;
        back.NameEndingAt(back.SkipSpace(back.Opening(end) - 1), &start);
        at = back.SkipSpace(start - 1);
        if (at < 0) return scope;
      }
      i = back.SkipSpace(at - 1);
      if (i < 0 || code[i] != QLatin1Char(')')) return scope;
      continue;
    }
    scope.kind = ScopeKind::Function;
    scope.name = name;
    if (before >= 1 && code[before] == QLatin1Char(':') && code[before - 1] == QLatin1Char(':')) {
      qsizetype qualifierStart = 0;
      scope.qualifier = back.NameEndingAt(back.SkipSpace(before - 2), &qualifierStart);
    }
    return scope;
  }
}

QList<Scope> Scopes(const QString& code) {
  QList<Scope> scopes;
  QList<Scope> open;
  for (qsizetype i = 0; i < code.size(); ++i) {
    if (code[i] == QLatin1Char('{')) {
      open.append(Classify(code, i));
    } else if (code[i] == QLatin1Char('}') && !open.isEmpty()) {
      Scope scope = open.takeLast();
      scope.close = i;
      scopes.append(scope);
    }
  }
  return scopes;
}

// Whether the literal at `at` is an argument of Handler(...), through any string wrappers and
// string arithmetic around it.
bool InsideHandler(const QString& code, qsizetype at) {
  static const QSet<QString> kWrappers{QStringLiteral("QStringLiteral"), QStringLiteral("QLatin1String"),
                                       QStringLiteral("QString"), QStringLiteral("Location")};
  const Backwards back(code);
  int depth = 0;
  for (qsizetype i = at - 1; i >= 0; --i) {
    const QChar c = code[i];
    if (c == QLatin1Char(')')) {
      ++depth;
    } else if (c == QLatin1Char('(') && depth > 0) {
      --depth;
    } else if (c == QLatin1Char('(')) {
      qsizetype start = 0;
      const QString name = back.NameEndingAt(back.SkipSpace(i - 1), &start);
      if (name == QLatin1String("Handler")) return true;
      if (!kWrappers.contains(name)) return false;
    } else if (depth == 0 &&
               (c == QLatin1Char(';') || c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char(','))) {
      return false;
    }
  }
  return false;
}

}  // namespace

QString Found::Text() const {
  QString text = module + QLatin1Char(':') + procedure;
  if (!property.isEmpty()) text += QStringLiteral(" [Property %1]").arg(property);
  return text;
}

QList<Found> Scan(const QString& source) {
  const QString code = Masked(source);
  const QList<Scope> scopes = Scopes(code);
  // 1: the helper, 2: module, 3: colon, 4: procedure, 5: property kind.
  static const QRegularExpression kLocation(
      QStringLiteral("(Location\\(\\s*(?:(?:QStringLiteral|QLatin1String)\\(\\s*)?)?"
                     "\"(?:([A-Z][A-Za-z0-9]*)?(:))?([A-Za-z_][A-Za-z0-9_]*)(?: \\[Property (Get|Let|Set)\\])?\""));
  QList<Found> found;
  auto matches = kLocation.globalMatch(source);
  while (matches.hasNext()) {
    const QRegularExpressionMatch match = matches.next();
    const qsizetype quote = match.capturedStart(0) + match.capturedLength(1);
    if (code[quote] != QLatin1Char('"')) continue;  // inside a comment or another literal
    const bool helper = match.capturedLength(1) > 0;
    const bool hasColon = match.capturedLength(3) > 0;
    // Through the helper the literal is the procedure alone; else it holds the colon.
    if (helper == hasColon) continue;
    Found location;
    location.line = int(source.left(quote).count(QLatin1Char('\n'))) + 1;
    location.module = match.captured(2);
    location.procedure = match.captured(4);
    location.property = match.captured(5);
    qsizetype after = match.capturedEnd(0);
    while (after < code.size() && (code[after].isSpace() || code[after] == QLatin1Char(')'))) ++after;
    location.partial = after < code.size() && code[after] == QLatin1Char('+');
    location.handler = InsideHandler(code, quote);
    const Scope* function = nullptr;
    const Scope* named = nullptr;
    const Scope* lambda = nullptr;
    for (const Scope& scope : scopes) {
      if (!(scope.open < quote && quote < scope.close)) continue;
      const auto inner = [&](const Scope* than) { return than == nullptr || scope.open > than->open; };
      if (scope.kind == ScopeKind::Function && inner(function)) function = &scope;
      if (scope.kind == ScopeKind::Lambda && inner(lambda)) lambda = &scope;
      if (scope.kind == ScopeKind::Named && !scope.name.isEmpty() && inner(named)) named = &scope;
    }
    if (function != nullptr) location.function = function->name;
    location.inLambda = lambda != nullptr && (function == nullptr || lambda->open > function->open);
    location.owner = function != nullptr && !function->qualifier.isEmpty() ? function->qualifier
                     : named != nullptr                                    ? named->name
                                                                           : QString();
    found.append(location);
  }
  return found;
}

QString Problem(const Found& found) {
  const bool namedAsHandler = found.procedure.contains(QLatin1Char('_'));
  if (namedAsHandler && !found.handler) {
    return QStringLiteral("\"%1\" is named as an event handler but not made with Handler").arg(found.Text());
  }
  if (found.partial) return QString();
  if (found.handler && !namedAsHandler) {
    return QStringLiteral("\"%1\" is made with Handler but not named as an event handler").arg(found.Text());
  }
  if (found.function.isEmpty()) return QStringLiteral("\"%1\" is not inside a function").arg(found.Text());
  const bool eventOverride = found.function == QLatin1String("notify") || found.function == QLatin1String("event") ||
                             found.function == QLatin1String("eventFilter") ||
                             found.function.endsWith(QLatin1String("Event"));
  if (found.handler && (found.inLambda || eventOverride)) return QString();
  const bool setter = found.property == QLatin1String("Let") || found.property == QLatin1String("Set");
  if (found.function == found.procedure || (setter && found.function == QLatin1String("Set") + found.procedure)) {
    return QString();
  }
  return QStringLiteral("\"%1\" sits in %2").arg(found.Text(), found.function);
}

QStringList ModuleMixes(const QList<Found>& found) {
  QStringList owners;
  QMap<QString, QMap<QString, int>> firstLines;  // owner, module: the first line naming it
  for (const Found& location : found) {
    if (location.owner.isEmpty() || location.module.isEmpty()) continue;
    if (!firstLines.contains(location.owner)) owners.append(location.owner);
    QMap<QString, int>& modules = firstLines[location.owner];
    if (!modules.contains(location.module)) modules.insert(location.module, location.line);
  }
  QStringList mixes;
  for (const QString& owner : owners) {
    const QMap<QString, int>& modules = firstLines[owner];
    if (modules.size() < 2) continue;
    QStringList named;
    for (auto module = modules.cbegin(); module != modules.cend(); ++module) {
      named.append(QStringLiteral("%1 (line %2)").arg(module.key()).arg(module.value()));
    }
    mixes.append(owner + QStringLiteral(": ") + named.join(QStringLiteral(", ")));
  }
  return mixes;
}

}  // namespace locations
