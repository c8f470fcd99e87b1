#include "SqlTranslator.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <strings.h>

namespace Appserver {
namespace {

std::string Upper(std::string text) {
  for (auto& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

enum class TNodeKind { Literal, Null, Column, Function, Cast, Unary, Binary, Between, In, Like, IsNull, Case, Subquery, Exists, Star };
enum class TType { Unknown, String, Number };

struct TSelect;

struct TNode {
  TNodeKind Kind = TNodeKind::Null;
  std::string Text;       // literal content, column name, function or operator in upper case
  std::string Qualifier;  // table alias of a column
  bool IsString = false;  // string literal
  bool Outer = false;     // column marked "(+)"
  bool Negated = false;   // NOT IN, NOT BETWEEN, NOT LIKE, IS NOT NULL
  bool Distinct = false;  // COUNT(DISTINCT ...)
  bool HasElse = false;   // CASE ... ELSE
  std::string CastType;   // target type of CAST/CONVERT, upper case
  std::vector<int> CastSize;
  std::vector<std::unique_ptr<TNode>> Args;  // Case: [subject or null, when, then, ..., else]
  std::unique_ptr<TSelect> Sub;
};
using TNodePtr = std::unique_ptr<TNode>;

struct TTableRef {
  std::string Written;
  TResolvedTable Table;
  std::string Alias;
  std::unique_ptr<TSelect> Sub;
  mutable std::vector<TColumnInfo> SubColumns;  // known once the subquery is translated
  mutable std::string SubSql;
  const std::vector<TColumnInfo>& Columns() const { return Sub ? SubColumns : Table.Columns; }
};

struct TJoin {
  std::string Kind;  // "" first table, "," comma, else "INNER", "LEFT", "RIGHT", "FULL", "CROSS"
  TTableRef Ref;
  TNodePtr On;
};

struct TSelectItem {
  TNodePtr Expr;
  std::string Alias;
  bool Star = false;
  std::string StarQualifier;
};

struct TSelect {
  bool Distinct = false;
  std::string Top;
  std::vector<TSelectItem> Items;
  std::vector<TJoin> From;
  TNodePtr Where, Having;
  std::vector<TNodePtr> GroupBy;
  std::vector<std::pair<TNodePtr, bool>> OrderBy;  // expression, descending
  std::unique_ptr<TSelect> Union;
  bool UnionAll = false;
};

const std::set<std::string> kReserved = {
    "SELECT", "FROM", "WHERE", "GROUP", "ORDER", "BY", "HAVING", "UNION", "ALL", "DISTINCT", "TOP", "AS", "ON",
    "JOIN", "INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "AND", "OR", "NOT", "IN", "IS", "NULL", "LIKE",
    "BETWEEN", "EXISTS", "CASE", "WHEN", "THEN", "ELSE", "END", "WITH", "INTO", "FOR", "ASC", "DESC", "ESCAPE",
    "LIMIT", "INSERT", "UPDATE", "DELETE", "SET", "VALUES"};

// Functions a data request may call, by arity (-1: any).
const std::set<std::string> kFunctions = {"ISNULL", "NVL", "IFNULL", "COALESCE", "RPAD", "LPAD", "SUBSTRING", "SUBSTR",
                                          "LEN", "LENGTH", "LTRIM", "RTRIM", "TRIM", "UPPER", "LOWER", "CONVERT",
                                          "CAST", "COUNT", "SUM", "MIN", "MAX", "AVG", "ABS", "ROUND", "CHARINDEX",
                                          "INSTR", "GETDATE", "REPLACE"};

class TParser {
public:
  TParser(const std::string& sql, const TTableResolver& resolver) : FTokens(Tokenize(sql)), FResolver(resolver) {}

  std::unique_ptr<TSelect> Statement() {
    if (!Peek().Is("SELECT"))
      throw ESqlError("a data request must be one SELECT statement; \"" +
                      (Peek().Kind == TTokenKind::End ? std::string("(empty)") : Peek().Text) + "\" is refused");
    auto select = Select();
    if (Peek().Is(";")) {
      Next();
      if (Peek().Kind != TTokenKind::End)
        throw ESqlError("a data request is one statement: the text after \";\" is refused");
    }
    if (Peek().Kind != TTokenKind::End) Unexpected();
    return select;
  }

private:
  const TToken& Peek(size_t ahead = 0) const { return FTokens[std::min(FPos + ahead, FTokens.size() - 1)]; }
  const TToken& Next() { return FTokens[std::min(FPos++, FTokens.size() - 1)]; }
  bool Accept(const char* word) {
    if (!Peek().Is(word)) return false;
    ++FPos;
    return true;
  }
  [[noreturn]] void Unexpected() const {
    const auto& t = Peek();
    throw ESqlError(t.Kind == TTokenKind::End ? std::string("unexpected end of the statement")
                                              : "unexpected \"" + t.Text + "\" at position " + std::to_string(t.Pos + 1));
  }
  void Expect(const char* word) {
    if (!Accept(word)) {
      if (Peek().Kind == TTokenKind::End) throw ESqlError(std::string("\"") + word + "\" expected at the end");
      throw ESqlError(std::string("\"") + word + "\" expected at position " + std::to_string(Peek().Pos + 1));
    }
  }
  bool IsName(const TToken& t) const {
    return t.Kind == TTokenKind::QuotedName || (t.Kind == TTokenKind::Word && !kReserved.count(Upper(t.Text)));
  }
  std::string Name() {
    const auto& t = Peek();
    if (!IsName(t)) Unexpected();
    ++FPos;
    for (unsigned char ch : t.Text)
      if (!(std::isalnum(ch) || ch == '_' || ch == '$'))
        throw ESqlError("name \"" + t.Text + "\" is not allowed");
    return t.Text;
  }
  std::string OptionalAlias() {
    if (Accept("AS")) return Name();
    return IsName(Peek()) ? Name() : std::string();
  }

  std::unique_ptr<TSelect> Select() {
    Expect("SELECT");
    auto s = std::make_unique<TSelect>();
    if (Accept("DISTINCT")) s->Distinct = true;
    else Accept("ALL");
    if (Accept("TOP")) {
      if (Peek().Kind != TTokenKind::Number) Unexpected();
      s->Top = Next().Text;
    }
    do {
      TSelectItem item;
      if (Accept("*")) {
        item.Star = true;
      } else if (IsName(Peek()) && Peek(1).Is(".") && Peek(2).Is("*")) {
        item.Star = true;
        item.StarQualifier = Name();
        FPos += 2;
      } else {
        item.Expr = Expr();
        item.Alias = OptionalAlias();
        if (item.Alias.empty() && Peek().Kind == TTokenKind::String) item.Alias = Next().Text;  // 'label'
      }
      s->Items.push_back(std::move(item));
    } while (Accept(","));
    if (Peek().Is("INTO")) throw ESqlError("SELECT ... INTO changes the database and is refused");
    Expect("FROM");
    s->From.push_back({"", TableRef(), nullptr});
    for (;;) {
      if (Accept(",")) {
        s->From.push_back({",", TableRef(), nullptr});
        continue;
      }
      std::string kind;
      if (Accept("INNER")) kind = "INNER";
      else if (Accept("LEFT")) kind = "LEFT";
      else if (Accept("RIGHT")) kind = "RIGHT";
      else if (Accept("FULL")) kind = "FULL";
      else if (Accept("CROSS")) kind = "CROSS";
      else if (Peek().Is("JOIN")) kind = "INNER";
      else break;
      if (kind != "INNER" && kind != "CROSS") Accept("OUTER");
      Expect("JOIN");
      TJoin join{kind, TableRef(), nullptr};
      if (kind != "CROSS") {
        Expect("ON");
        join.On = Expr();
      }
      s->From.push_back(std::move(join));
    }
    if (Accept("WHERE")) s->Where = Expr();
    if (Accept("GROUP")) {
      Expect("BY");
      do s->GroupBy.push_back(Expr());
      while (Accept(","));
    }
    if (Accept("HAVING")) s->Having = Expr();
    if (Accept("UNION")) {
      s->UnionAll = Accept("ALL");
      s->Union = Select();
      return s;
    }
    if (Accept("ORDER")) {
      Expect("BY");
      do {
        auto e = Expr();
        bool desc = false;
        if (Accept("DESC")) desc = true;
        else Accept("ASC");
        s->OrderBy.emplace_back(std::move(e), desc);
      } while (Accept(","));
    }
    if (Peek().Is("FOR")) throw ESqlError("SELECT ... FOR locks rows and is refused");
    return s;
  }

  TTableRef TableRef() {
    TTableRef ref;
    if (Accept("(")) {
      ref.Sub = Select();
      Expect(")");
      ref.Alias = OptionalAlias();
      return ref;
    }
    ref.Written = Name();
    auto table = FResolver(ref.Written);
    if (!table) throw ESqlError("unknown table " + ref.Written);
    ref.Table = std::move(*table);
    ref.Alias = OptionalAlias();
    // Table hints of the MS SQL dialect only steer locking; a read needs none.
    if (Peek().Is("WITH") && Peek(1).Is("(")) Next();
    if (Peek().Is("(") && (Peek(1).Is("NOLOCK") || Peek(1).Is("READUNCOMMITTED") || Peek(1).Is("NOWAIT"))) {
      Next();
      do {
        if (!(Accept("NOLOCK") || Accept("READUNCOMMITTED") || Accept("NOWAIT")))
          throw ESqlError("table hint \"" + Peek().Text + "\" is not supported");
      } while (Accept(","));
      Expect(")");
    }
    return ref;
  }

  TNodePtr Make(TNodeKind kind, std::string text = {}) {
    auto n = std::make_unique<TNode>();
    n->Kind = kind;
    n->Text = std::move(text);
    return n;
  }
  TNodePtr Binary(std::string op, TNodePtr a, TNodePtr b) {
    auto n = Make(TNodeKind::Binary, std::move(op));
    n->Args.push_back(std::move(a));
    n->Args.push_back(std::move(b));
    return n;
  }

  TNodePtr Expr() {
    auto left = And();
    while (Accept("OR")) left = Binary("OR", std::move(left), And());
    return left;
  }
  TNodePtr And() {
    auto left = Not();
    while (Accept("AND")) left = Binary("AND", std::move(left), Not());
    return left;
  }
  TNodePtr Not() {
    if (Accept("NOT")) {
      auto n = Make(TNodeKind::Unary, "NOT");
      n->Args.push_back(Not());
      return n;
    }
    return Comparison();
  }
  TNodePtr Comparison() {
    auto left = Additive();
    static const char* const ops[] = {"=", "<>", "!=", "<", ">", "<=", ">="};
    for (const char* op : ops)
      if (Accept(op)) return Binary(std::string(op) == "!=" ? "<>" : op, std::move(left), Additive());
    if (Accept("IS")) {
      auto n = Make(TNodeKind::IsNull);
      n->Negated = Accept("NOT");
      Expect("NULL");
      n->Args.push_back(std::move(left));
      return n;
    }
    const bool negated = Peek().Is("NOT") && (Peek(1).Is("BETWEEN") || Peek(1).Is("IN") || Peek(1).Is("LIKE"));
    if (negated) Next();
    if (Accept("BETWEEN")) {
      auto n = Make(TNodeKind::Between);
      n->Negated = negated;
      n->Args.push_back(std::move(left));
      n->Args.push_back(Additive());
      Expect("AND");
      n->Args.push_back(Additive());
      return n;
    }
    if (Accept("IN")) {
      auto n = Make(TNodeKind::In);
      n->Negated = negated;
      n->Args.push_back(std::move(left));
      Expect("(");
      if (Peek().Is("SELECT")) {
        n->Sub = Select();
      } else {
        do n->Args.push_back(Additive());
        while (Accept(","));
      }
      Expect(")");
      return n;
    }
    if (Accept("LIKE")) {
      auto n = Make(TNodeKind::Like);
      n->Negated = negated;
      n->Args.push_back(std::move(left));
      n->Args.push_back(Additive());
      if (Accept("ESCAPE")) n->Args.push_back(Additive());
      return n;
    }
    if (negated) Unexpected();
    return left;
  }
  TNodePtr Additive() {
    auto left = Multiplicative();
    for (;;) {
      if (Accept("+")) left = Binary("+", std::move(left), Multiplicative());
      else if (Accept("-")) left = Binary("-", std::move(left), Multiplicative());
      else if (Accept("||")) left = Binary("||", std::move(left), Multiplicative());
      else return left;
    }
  }
  TNodePtr Multiplicative() {
    auto left = Unary();
    for (;;) {
      if (Accept("*")) left = Binary("*", std::move(left), Unary());
      else if (Accept("/")) left = Binary("/", std::move(left), Unary());
      else if (Accept("%")) left = Binary("%", std::move(left), Unary());
      else return left;
    }
  }
  TNodePtr Unary() {
    if (Accept("-")) {
      auto n = Make(TNodeKind::Unary, "-");
      n->Args.push_back(Unary());
      return n;
    }
    Accept("+");
    return Primary();
  }
  void TypeSpec(TNode& n) {
    n.CastType = Upper(Name());
    if (Accept("(")) {
      do {
        if (Peek().Kind != TTokenKind::Number) Unexpected();
        n.CastSize.push_back(std::stoi(Next().Text));
      } while (Accept(","));
      Expect(")");
    }
  }
  TNodePtr Primary() {
    const TToken& t = Peek();
    if (t.Kind == TTokenKind::String || t.Kind == TTokenKind::Number) {
      Next();
      auto n = Make(TNodeKind::Literal, t.Text);
      n->IsString = t.Kind == TTokenKind::String;
      return n;
    }
    if (Accept("NULL")) return Make(TNodeKind::Null);
    if (Accept("(")) {
      if (Peek().Is("SELECT")) {
        auto n = Make(TNodeKind::Subquery);
        n->Sub = Select();
        Expect(")");
        return n;
      }
      auto e = Expr();
      Expect(")");
      return e;
    }
    if (Accept("EXISTS")) {
      Expect("(");
      auto n = Make(TNodeKind::Exists);
      n->Sub = Select();
      Expect(")");
      return n;
    }
    if (Accept("CASE")) return Case();
    if (!IsName(t)) Unexpected();
    const bool outerMark = Peek(1).Is("(") && Peek(2).Is("+") && Peek(3).Is(")");
    if (Peek(1).Is("(") && !outerMark) return Function();
    auto n = Make(TNodeKind::Column, Name());
    if (Accept(".")) {
      n->Qualifier = n->Text;
      n->Text = Name();
    }
    if (Peek().Is("(") && Peek(1).Is("+") && Peek(2).Is(")")) {
      FPos += 3;
      n->Outer = true;
    }
    return n;
  }
  TNodePtr Function() {
    const std::string name = Upper(Name());
    if (!kFunctions.count(name)) throw ESqlError("function " + name + " is not supported");
    Expect("(");
    auto n = Make(name == "CAST" || name == "CONVERT" ? TNodeKind::Cast : TNodeKind::Function, name);
    if (name == "CAST") {
      n->Args.push_back(Expr());
      Expect("AS");
      TypeSpec(*n);
    } else if (name == "CONVERT") {
      TypeSpec(*n);
      Expect(",");
      n->Args.push_back(Expr());
      if (Accept(",")) n->Args.push_back(Additive());
    } else if (name == "COUNT" && Accept("*")) {
      n->Args.push_back(Make(TNodeKind::Star));
    } else if (!Peek().Is(")")) {
      n->Distinct = Accept("DISTINCT");
      do n->Args.push_back(Expr());
      while (Accept(","));
    }
    Expect(")");
    return n;
  }
  TNodePtr Case() {
    auto n = Make(TNodeKind::Case);
    n->Args.push_back(Peek().Is("WHEN") ? nullptr : Expr());
    while (Accept("WHEN")) {
      n->Args.push_back(Expr());
      Expect("THEN");
      n->Args.push_back(Expr());
    }
    if (n->Args.size() < 3) Unexpected();
    if (Accept("ELSE")) {
      n->Args.push_back(Expr());
      n->HasElse = true;
    }
    Expect("END");
    return n;
  }

  std::vector<TToken> FTokens;
  size_t FPos = 0;
  const TTableResolver& FResolver;
};

struct TScope {
  const TScope* Parent = nullptr;
  std::vector<const TTableRef*> Tables;
};

std::string AliasOf(const TTableRef& ref) { return ref.Alias.empty() ? ref.Table.Base : ref.Alias; }

const TTableRef* FindTable(const TScope& scope, const std::string& qualifier) {
  for (const TScope* s = &scope; s; s = s->Parent)
    for (const auto* t : s->Tables)
      if (SameName(AliasOf(*t), qualifier) || (!t->Written.empty() && SameName(t->Written, qualifier))) return t;
  return nullptr;
}

struct TResolvedColumn {
  const TTableRef* Table = nullptr;
  const TColumnInfo* Column = nullptr;
};

TResolvedColumn ResolveColumn(const TNode& n, const TScope& scope) {
  auto inTable = [&](const TTableRef* t) -> TResolvedColumn {
    for (const auto& c : t->Columns())
      if (SameName(c.Name, n.Text)) return {t, &c};
    return {};
  };
  if (!n.Qualifier.empty()) {
    const TTableRef* t = FindTable(scope, n.Qualifier);
    if (!t) throw ESqlError("unknown table or alias " + n.Qualifier + " in " + n.Qualifier + "." + n.Text);
    return inTable(t);
  }
  for (const TScope* s = &scope; s; s = s->Parent)
    for (const auto* t : s->Tables)
      if (auto r = inTable(t); r.Column) return r;
  return {};
}

bool IsTextKind(TFieldKind k) { return k == TFieldKind::Char || k == TFieldKind::VarChar || k == TFieldKind::Text; }

class TEmitter {
public:
  TEmitter(int dialect, TBackendKind target) : FDialect(dialect), FTarget(target) {}

  std::string Select(const TSelect& s, const TScope* parent, std::vector<TOutputColumn>* output) {
    TScope scope{parent, {}};
    for (const auto& j : s.From) {
      scope.Tables.push_back(&j.Ref);
      if (!j.Ref.Sub) continue;
      std::vector<TOutputColumn> cols;
      j.Ref.SubSql = Select(*j.Ref.Sub, parent, &cols);
      j.Ref.SubColumns.clear();
      for (const auto& c : cols) j.Ref.SubColumns.push_back({c.Name, TFieldKind::Unknown, 0, 0});
    }
    // The Oracle outer join: conditions that mark a table with "(+)" become
    // that table's LEFT JOIN condition.
    std::vector<const TNode*> conjuncts;
    if (s.Where) Conjuncts(*s.Where, conjuncts);
    std::vector<std::vector<const TNode*>> outerOn(s.From.size());
    std::vector<const TNode*> whereRest;
    bool anyOuter = false;
    for (const TNode* c : conjuncts) {
      std::set<const TTableRef*> marked;
      OuterTables(*c, scope, marked);
      if (marked.empty()) {
        whereRest.push_back(c);
        continue;
      }
      if (marked.size() > 1) throw ESqlError("one condition marks more than one table with (+)");
      anyOuter = true;
      for (size_t i = 0; i < s.From.size(); ++i)
        if (&s.From[i].Ref == *marked.begin()) outerOn[i].push_back(c);
    }
    std::string sql = "SELECT ";
    if (s.Distinct) sql += "DISTINCT ";
    std::string items;
    for (const auto& item : s.Items) {
      if (item.Star) {
        for (const auto* t : scope.Tables) {
          if (!item.StarQualifier.empty() && !SameName(AliasOf(*t), item.StarQualifier)) continue;
          for (const auto& c : t->Columns()) {
            items += (items.empty() ? "" : ", ") + AliasOf(*t) + "." + c.Name;
            if (output) output->push_back({Upper(c.Name), t->Sub ? "" : t->Table.Base, Upper(c.Name)});
          }
        }
        if (!item.StarQualifier.empty() && !FindTable(scope, item.StarQualifier))
          throw ESqlError("unknown table or alias " + item.StarQualifier + ".*");
        continue;
      }
      TOutputColumn out;
      if (item.Expr->Kind == TNodeKind::Column) {
        out.Name = Upper(item.Expr->Text);
        if (auto r = ResolveColumn(*item.Expr, scope); r.Column && !r.Table->Sub) {
          out.Table = r.Table->Table.Base;
          out.Column = Upper(r.Column->Name);
        }
      }
      if (!item.Alias.empty()) out.Name = Upper(item.Alias);
      if (out.Name.empty()) out.Name = "COLUMN" + std::to_string((output ? output->size() : 0) + 1);
      items += (items.empty() ? "" : ", ") + Expr(*item.Expr, scope, 0, false) + " AS " + out.Name;
      if (output) output->push_back(out);
    }
    sql += items + " FROM ";
    if (anyOuter) {
      bool first = true;
      for (size_t i = 0; i < s.From.size(); ++i) {
        if (!outerOn[i].empty()) continue;
        if (s.From[i].Kind != "" && s.From[i].Kind != ",")
          throw ESqlError("(+) outer joins cannot be mixed with JOIN clauses");
        sql += (first ? "" : " CROSS JOIN ") + TableRef(s.From[i].Ref);
        first = false;
      }
      if (first) throw ESqlError("every table of the query is marked with (+)");
      for (size_t i = 0; i < s.From.size(); ++i) {
        if (outerOn[i].empty()) continue;
        std::string on;
        for (const TNode* c : outerOn[i]) on += (on.empty() ? "" : " AND ") + Expr(*c, scope, 3, false);
        sql += " LEFT JOIN " + TableRef(s.From[i].Ref) + " ON " + on;
      }
      if (!whereRest.empty()) {
        std::string where;
        for (const TNode* c : whereRest) where += (where.empty() ? "" : " AND ") + Expr(*c, scope, 3, false);
        sql += " WHERE " + where;
      }
    } else {
      for (const auto& j : s.From) {
        if (j.Kind.empty()) sql += TableRef(j.Ref);
        else if (j.Kind == ",") sql += ", " + TableRef(j.Ref);
        else sql += " " + j.Kind + " JOIN " + TableRef(j.Ref);
        if (j.On) sql += " ON " + Expr(*j.On, scope, 0, false);
      }
      if (s.Where) sql += " WHERE " + Expr(*s.Where, scope, 0, false);
    }
    if (!s.GroupBy.empty()) {
      sql += " GROUP BY ";
      for (size_t i = 0; i < s.GroupBy.size(); ++i) sql += (i ? ", " : "") + Expr(*s.GroupBy[i], scope, 0, false);
    }
    if (s.Having) sql += " HAVING " + Expr(*s.Having, scope, 0, false);
    if (s.Union) sql += (s.UnionAll ? " UNION ALL " : " UNION ") + Select(*s.Union, parent, nullptr);
    if (!s.OrderBy.empty()) {
      sql += " ORDER BY ";
      for (size_t i = 0; i < s.OrderBy.size(); ++i)
        sql += (i ? ", " : "") + Expr(*s.OrderBy[i].first, scope, 0, false) + (s.OrderBy[i].second ? " DESC" : "");
    }
    if (!s.Top.empty()) sql += " LIMIT " + s.Top;
    return sql;
  }

private:
  static void Conjuncts(const TNode& n, std::vector<const TNode*>& out) {
    if (n.Kind == TNodeKind::Binary && n.Text == "AND") {
      Conjuncts(*n.Args[0], out);
      Conjuncts(*n.Args[1], out);
    } else {
      out.push_back(&n);
    }
  }
  void OuterTables(const TNode& n, const TScope& scope, std::set<const TTableRef*>& marked) const {
    if (n.Kind == TNodeKind::Column && n.Outer) {
      const auto r = ResolveColumn(n, scope);
      if (!r.Table) throw ESqlError("the table of " + n.Text + "(+) is not known");
      marked.insert(r.Table);
    }
    for (const auto& a : n.Args)
      if (a) OuterTables(*a, scope, marked);
  }

  static std::string TableRef(const TTableRef& ref) {
    if (ref.Sub) return "(" + ref.SubSql + ") " + (ref.Alias.empty() ? std::string("SUBQUERY") : ref.Alias);
    return ref.Table.Physical + " " + AliasOf(ref);
  }

  TType TypeOf(const TNode& n, const TScope& scope) const {
    switch (n.Kind) {
      case TNodeKind::Literal: return n.IsString ? TType::String : TType::Number;
      case TNodeKind::Column: {
        const auto r = ResolveColumn(n, scope);
        if (!r.Column) return TType::Unknown;
        if (IsTextKind(r.Column->Kind)) return TType::String;
        if (r.Column->Kind == TFieldKind::Integer || r.Column->Kind == TFieldKind::Numeric) return TType::Number;
        return TType::Unknown;
      }
      case TNodeKind::Binary:
        if (n.Text == "||" || (n.Text == "+" && IsConcat(n, scope))) return TType::String;
        if (n.Text == "+" || n.Text == "-" || n.Text == "*" || n.Text == "/" || n.Text == "%") return TType::Number;
        return TType::Unknown;
      case TNodeKind::Unary: return n.Text == "-" ? TType::Number : TType::Unknown;
      case TNodeKind::Cast: {
        const auto& t = n.CastType;
        return t.find("CHAR") != std::string::npos || t == "TEXT" ? TType::String : TType::Number;
      }
      case TNodeKind::Function: {
        const auto& f = n.Text;
        if (f == "LEN" || f == "LENGTH" || f == "COUNT" || f == "CHARINDEX" || f == "INSTR" || f == "ABS" || f == "ROUND")
          return TType::Number;
        if (f == "SUM" || f == "AVG") return TType::Number;
        if (f == "MIN" || f == "MAX" || f == "ISNULL" || f == "NVL" || f == "IFNULL" || f == "COALESCE") {
          for (const auto& a : n.Args)
            if (auto t = TypeOf(*a, scope); t != TType::Unknown) return t;
          return TType::Unknown;
        }
        return f == "GETDATE" ? TType::Unknown : TType::String;
      }
      case TNodeKind::Case: return n.Args.size() > 2 ? TypeOf(*n.Args[2], scope) : TType::Unknown;
      default: return TType::Unknown;
    }
  }

  // "+" of the MS SQL dialect concatenates when the operands are text: both
  // text, or text and an operand of unknown type; a number makes it a sum.
  bool IsConcat(const TNode& n, const TScope& scope) const {
    if (FDialect != 0) return false;
    const TType a = TypeOf(*n.Args[0], scope), b = TypeOf(*n.Args[1], scope);
    if (a == TType::Number || b == TType::Number) return false;
    return a == TType::String || b == TType::String;
  }

  static int Precedence(const TNode& n) {
    switch (n.Kind) {
      case TNodeKind::Binary:
        if (n.Text == "OR") return 1;
        if (n.Text == "AND") return 2;
        if (n.Text == "+" || n.Text == "-" || n.Text == "||") return 5;
        if (n.Text == "*" || n.Text == "/" || n.Text == "%") return 6;
        return 4;
      case TNodeKind::Unary: return n.Text == "NOT" ? 3 : 7;
      case TNodeKind::Between: case TNodeKind::In: case TNodeKind::Like: case TNodeKind::IsNull: return 4;
      default: return 9;
    }
  }

  // A text computed by the query (not a stored column or a literal): compared
  // as the ERP's database compares CHAR values, trailing blanks not counting.
  bool IsComputedText(const TNode& n, const TScope& scope) const {
    return n.Kind != TNodeKind::Column && n.Kind != TNodeKind::Literal && TypeOf(n, scope) == TType::String;
  }
  std::string Compared(const TNode& n, const TScope& scope) {
    if (!IsComputedText(n, scope)) return Expr(n, scope, 5, false);
    const std::string text = Expr(n, scope, 0, false);
    return FTarget == TBackendKind::Sqlite ? "(" + text + ") COLLATE RTRIM" : "CAST(" + text + " AS BPCHAR)";
  }

  std::string List(const std::vector<TNodePtr>& args, const TScope& scope, size_t from, bool text) {
    std::string out;
    for (size_t i = from; i < args.size(); ++i) out += (i > from ? ", " : "") + Expr(*args[i], scope, 0, text);
    return out;
  }

  std::string Concat(const TNode& n, const TScope& scope) {
    auto operand = [&](const TNode& a) {
      std::string text = Expr(a, scope, 5, true);
      // Oracle treats a NULL operand of "||" as the empty text.
      if (FDialect != 0 && a.Kind != TNodeKind::Literal) text = "COALESCE(" + text + ", '')";
      return text;
    };
    return operand(*n.Args[0]) + " || " + operand(*n.Args[1]);
  }

  std::string CastTo(const TNode& n, const std::string& value) {
    const auto& t = n.CastType;
    const bool lite = FTarget == TBackendKind::Sqlite;
    if (t == "CHAR" || t == "NCHAR") {
      if (n.CastSize.empty()) return "CAST(" + value + " AS " + (lite ? "TEXT" : "VARCHAR") + ")";
      return "RPAD(CAST(" + value + " AS " + (lite ? "TEXT" : "VARCHAR") + "), " + std::to_string(n.CastSize[0]) + ")";
    }
    if (t == "VARCHAR" || t == "NVARCHAR" || t == "VARCHAR2" || t == "TEXT")
      return "CAST(" + value + " AS " + (lite ? "TEXT" : "VARCHAR") + ")";
    if (t == "INT" || t == "INTEGER" || t == "BIGINT" || t == "SMALLINT") return "CAST(" + value + " AS INTEGER)";
    if (t == "DECIMAL" || t == "NUMERIC" || t == "NUMBER" || t == "FLOAT" || t == "REAL" || t == "MONEY") {
      if (lite) return "CAST(" + value + " AS REAL)";
      std::string size;
      if (!n.CastSize.empty()) {
        size = "(" + std::to_string(n.CastSize[0]);
        if (n.CastSize.size() > 1) size += "," + std::to_string(n.CastSize[1]);
        size += ")";
      }
      return "CAST(" + value + " AS NUMERIC" + size + ")";
    }
    throw ESqlError("conversion to " + t + " is not supported");
  }

  std::string Today(const std::string& style) const {
    // CONVERT(VARCHAR, GETDATE(), 112) and 108: today as YYYYMMDD, the time as hh:mi:ss.
    const bool lite = FTarget == TBackendKind::Sqlite;
    if (style == "112") return lite ? "strftime('%Y%m%d', 'now', 'localtime')" : "to_char(LOCALTIMESTAMP, 'YYYYMMDD')";
    if (style == "108") return lite ? "strftime('%H:%M:%S', 'now', 'localtime')" : "to_char(LOCALTIMESTAMP, 'HH24:MI:SS')";
    throw ESqlError("CONVERT style " + style + " is not supported");
  }

  std::string Function(const TNode& n, const TScope& scope) {
    const auto& f = n.Text;
    const bool lite = FTarget == TBackendKind::Sqlite;
    auto arity = [&](size_t lo, size_t hi) {
      if (n.Args.size() < lo || n.Args.size() > hi) throw ESqlError("wrong number of arguments for " + f);
    };
    if (f == "ISNULL" || f == "NVL" || f == "IFNULL") {
      arity(2, 2);
      return "COALESCE(" + List(n.Args, scope, 0, false) + ")";
    }
    if (f == "COALESCE") {
      arity(1, 32);
      return "COALESCE(" + List(n.Args, scope, 0, false) + ")";
    }
    if (f == "RPAD" || f == "LPAD") {
      arity(2, 3);
      return f + "(" + List(n.Args, scope, 0, true) + ")";
    }
    if (f == "SUBSTRING" || f == "SUBSTR") {
      arity(f == "SUBSTRING" ? 3 : 2, 3);
      return "SUBSTR(" + List(n.Args, scope, 0, true) + ")";
    }
    if (f == "LEN") {  // the MS SQL length leaves out trailing blanks
      arity(1, 1);
      return "LENGTH(RTRIM(" + Expr(*n.Args[0], scope, 0, true) + "))";
    }
    if (f == "LENGTH" || f == "LTRIM" || f == "RTRIM" || f == "TRIM" || f == "UPPER" || f == "LOWER") {
      arity(1, 1);
      return f + "(" + Expr(*n.Args[0], scope, 0, true) + ")";
    }
    if (f == "REPLACE") {
      arity(3, 3);
      return "REPLACE(" + List(n.Args, scope, 0, true) + ")";
    }
    if (f == "CHARINDEX" || f == "INSTR") {  // CHARINDEX(needle, text), INSTR(text, needle)
      arity(2, 2);
      const auto& text = *n.Args[f == "CHARINDEX" ? 1 : 0];
      const auto& needle = *n.Args[f == "CHARINDEX" ? 0 : 1];
      return std::string(lite ? "INSTR(" : "STRPOS(") + Expr(text, scope, 0, true) + ", " + Expr(needle, scope, 0, true) + ")";
    }
    if (f == "GETDATE") {
      arity(0, 0);
      return lite ? "datetime('now', 'localtime')" : "LOCALTIMESTAMP";
    }
    if (f == "COUNT" || f == "SUM" || f == "MIN" || f == "MAX" || f == "AVG") {
      arity(1, 1);
      if (n.Args[0]->Kind == TNodeKind::Star) return "COUNT(*)";
      return f + "(" + (n.Distinct ? "DISTINCT " : "") + Expr(*n.Args[0], scope, 0, false) + ")";
    }
    if (f == "ABS" || f == "ROUND") {
      arity(1, 2);
      return f + "(" + List(n.Args, scope, 0, false) + ")";
    }
    throw ESqlError("function " + f + " is not supported");
  }

  std::string Expr(const TNode& n, const TScope& scope, int minPrecedence, bool textContext) {
    std::string out = Bare(n, scope, textContext);
    return Precedence(n) < minPrecedence ? "(" + out + ")" : out;
  }

  std::string Bare(const TNode& n, const TScope& scope, bool textContext) {
    switch (n.Kind) {
      case TNodeKind::Literal: return n.IsString ? QuoteLiteral(n.Text) : n.Text;
      case TNodeKind::Null: return "NULL";
      case TNodeKind::Star: return "*";
      case TNodeKind::Column: {
        const auto r = ResolveColumn(n, scope);
        std::string text = n.Text;
        if (!n.Qualifier.empty()) {
          if (!r.Column) throw ESqlError("unknown column " + n.Qualifier + "." + n.Text);
          text = AliasOf(*r.Table) + "." + n.Text;
        }
        // PostgreSQL drops a CHAR value's blanks when it is used as text;
        // the ERP's database keeps them.
        if (textContext && FTarget == TBackendKind::Postgres && r.Column && r.Column->Kind == TFieldKind::Char &&
            r.Column->Width > 0)
          return "RPAD(" + text + ", " + std::to_string(r.Column->Width) + ")";
        return text;
      }
      case TNodeKind::Function: return Function(n, scope);
      case TNodeKind::Cast: {
        if (n.Text == "CONVERT" && n.Args.size() > 1) {
          const auto& value = *n.Args[0];
          if (value.Kind == TNodeKind::Function && value.Text == "GETDATE") return Today(n.Args[1]->Text);
        }
        return CastTo(n, Expr(*n.Args[0], scope, 0, true));
      }
      case TNodeKind::Unary:
        if (n.Text == "NOT") return "NOT " + Expr(*n.Args[0], scope, 3, false);
        return "-" + Expr(*n.Args[0], scope, 7, false);
      case TNodeKind::Binary: {
        if (n.Text == "||" || (n.Text == "+" && IsConcat(n, scope))) return Concat(n, scope);
        const int p = Precedence(n);
        if (p == 4) return Compared(*n.Args[0], scope) + " " + n.Text + " " + Compared(*n.Args[1], scope);
        return Expr(*n.Args[0], scope, p, false) + " " + n.Text + " " + Expr(*n.Args[1], scope, p + 1, false);
      }
      case TNodeKind::Between:
        return Compared(*n.Args[0], scope) + (n.Negated ? " NOT" : "") + " BETWEEN " + Expr(*n.Args[1], scope, 5, false) +
               " AND " + Expr(*n.Args[2], scope, 5, false);
      case TNodeKind::In: {
        std::string list = n.Sub ? Select(*n.Sub, &scope, nullptr) : List(n.Args, scope, 1, false);
        return Compared(*n.Args[0], scope) + (n.Negated ? " NOT IN (" : " IN (") + list + ")";
      }
      case TNodeKind::Like: {
        std::string out = Expr(*n.Args[0], scope, 5, true) + (n.Negated ? " NOT LIKE " : " LIKE ") +
                          Expr(*n.Args[1], scope, 5, true);
        if (n.Args.size() > 2) out += " ESCAPE " + Expr(*n.Args[2], scope, 5, false);
        return out;
      }
      case TNodeKind::IsNull: return Expr(*n.Args[0], scope, 5, false) + (n.Negated ? " IS NOT NULL" : " IS NULL");
      case TNodeKind::Case: {
        std::string out = "CASE";
        if (n.Args[0]) out += " " + Expr(*n.Args[0], scope, 0, false);
        const size_t pairsEnd = n.HasElse ? n.Args.size() - 1 : n.Args.size();
        for (size_t i = 1; i < pairsEnd; i += 2)
          out += " WHEN " + Expr(*n.Args[i], scope, 0, false) + " THEN " + Expr(*n.Args[i + 1], scope, 0, textContext);
        if (n.HasElse) out += " ELSE " + Expr(*n.Args.back(), scope, 0, textContext);
        return out + " END";
      }
      case TNodeKind::Subquery: return "(" + Select(*n.Sub, &scope, nullptr) + ")";
      case TNodeKind::Exists: return "EXISTS (" + Select(*n.Sub, &scope, nullptr) + ")";
    }
    return {};
  }

  int FDialect;
  TBackendKind FTarget;
};

}  // namespace

TTranslatedQuery TranslateSelect(const std::string& sql, int dialect, TBackendKind target,
                                 const TTableResolver& resolver) {
  TParser parser(sql, resolver);
  const auto select = parser.Statement();
  TTranslatedQuery result;
  result.Sql = TEmitter(dialect, target).Select(*select, nullptr, &result.Columns);
  return result;
}

}  // namespace Appserver
