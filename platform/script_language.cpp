#include "platform/script_language.h"

#include <cctype>
#include <vector>

#include "platform/launch.h"
#include "platform/login_items.h"

namespace platform {

namespace {

struct Token {
  enum class Kind { kWord, kString, kSymbol, kEnd } kind;
  std::string text;  // words in lower case
  bool lineStart;    // first token of its line
};

enum class Application { kNone, kSystemEvents, kConsole };

struct Condition {
  std::string name;
  bool negated = false;
};

struct Statement {
  enum class Kind { kTell, kReturn, kIf, kDelete, kMake, kActivate, kOpen } kind;
  Application application = Application::kNone;  // kTell
  Condition condition;                           // kReturn, kIf
  std::string text;                              // kDelete: the name; kOpen: the file
  std::string name, path;                        // kMake
  bool hidden = false;                           // kMake
  std::vector<Statement> body;                   // kTell, kIf
};

bool Tokenize(const char* text, size_t length, std::vector<Token>* tokens) {
  bool lineStart = true;
  for (size_t i = 0; i < length;) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n' || c == '\r') {
      lineStart = true;
      ++i;
    } else if (c == ' ' || c == '\t') {
      ++i;
    } else if (c == '-' && i + 1 < length && text[i + 1] == '-') {
      while (i < length && text[i] != '\n' && text[i] != '\r') ++i;
    } else if (c == '"') {
      std::string value;
      for (++i;; ++i) {
        if (i >= length) return false;  // unterminated
        if (text[i] == '"') break;
        if (text[i] != '\\') {
          value += text[i];
          continue;
        }
        if (++i >= length) return false;
        switch (text[i]) {
          case '"': value += '"'; break;
          case '\\': value += '\\'; break;
          case 'n': value += '\n'; break;
          case 'r': value += '\r'; break;
          case 't': value += '\t'; break;
          default: return false;
        }
      }
      ++i;
      tokens->push_back({Token::Kind::kString, value, lineStart});
      lineStart = false;
    } else if (std::isalpha(c) || c == '_') {
      std::string word;
      while (i < length && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) {
        word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
      }
      tokens->push_back({Token::Kind::kWord, word, lineStart});
      lineStart = false;
    } else if (c == '(' || c == ')' || c == '{' || c == '}' || c == ':' || c == ',') {
      tokens->push_back({Token::Kind::kSymbol, std::string(1, static_cast<char>(c)), lineStart});
      lineStart = false;
      ++i;
    } else {
      return false;
    }
  }
  tokens->push_back({Token::Kind::kEnd, "", true});
  return true;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  bool ParseProgram(std::vector<Statement>* statements) {
    return ParseBlock(Application::kNone, nullptr, statements) && Peek().kind == Token::Kind::kEnd;
  }

 private:
  const Token& Peek() const { return tokens_[at_]; }
  bool AtLineStart() const { return Peek().lineStart; }

  bool Word(const char* word) {
    if (Peek().kind != Token::Kind::kWord || Peek().text != word) return false;
    ++at_;
    return true;
  }
  bool Symbol(char symbol) {
    if (Peek().kind != Token::Kind::kSymbol || Peek().text[0] != symbol) return false;
    ++at_;
    return true;
  }
  bool Words(std::initializer_list<const char*> words) {
    for (const char* word : words) {
      if (!Word(word)) return false;
    }
    return true;
  }
  bool String(std::string* value) {
    if (Peek().kind != Token::Kind::kString) return false;
    *value = tokens_[at_++].text;
    return true;
  }
  bool Boolean(bool* value) {
    if (Word("true")) *value = true;
    else if (Word("false")) *value = false;
    else return false;
    return true;
  }

  // Statements up to "end <closing>" (or the end of the text at the top level).
  bool ParseBlock(Application application, const char* closing, std::vector<Statement>* out) {
    for (;;) {
      if (!AtLineStart()) return false;  // one statement per line
      if (Peek().kind == Token::Kind::kEnd) return closing == nullptr;
      if (closing != nullptr && Word("end")) {
        Word(closing);  // "end" alone closes the block as well
        return Peek().lineStart;
      }
      Statement statement;
      if (!ParseStatement(application, &statement)) return false;
      out->push_back(std::move(statement));
    }
  }

  // "<string> is [not] in (name of every login item)"
  bool ParseCondition(Condition* condition) {
    if (!String(&condition->name) || !Word("is")) return false;
    condition->negated = Word("not");
    if (!Word("in")) return false;
    const bool parenthesised = Symbol('(');
    if (!Words({"name", "of", "every", "login", "item"})) return false;
    return !parenthesised || Symbol(')');
  }

  bool ParseStatement(Application application, Statement* s) {
    const bool systemEvents = application == Application::kSystemEvents;
    if (Word("tell")) {
      std::string name;
      if (application != Application::kNone || !Word("application") || !String(&name)) {
        return false;
      }
      std::string lower;
      for (unsigned char c : name) lower += static_cast<char>(std::tolower(c));
      if (lower == "system events") s->application = Application::kSystemEvents;
      else if (lower == "console") s->application = Application::kConsole;
      else return false;
      s->kind = Statement::Kind::kTell;
      return ParseBlock(s->application, "tell", &s->body);
    }
    if (Word("return")) {
      s->kind = Statement::Kind::kReturn;
      return systemEvents && ParseCondition(&s->condition);
    }
    if (Word("if")) {
      s->kind = Statement::Kind::kIf;
      return systemEvents && ParseCondition(&s->condition) && Word("then") &&
             ParseBlock(application, "if", &s->body);
    }
    if (Word("delete")) {
      s->kind = Statement::Kind::kDelete;
      const bool parenthesised = Symbol('(');
      if (!systemEvents || !Words({"every", "login", "item", "whose", "name", "is"}) ||
          !String(&s->text)) {
        return false;
      }
      return !parenthesised || Symbol(')');
    }
    if (Word("make")) {
      s->kind = Statement::Kind::kMake;
      Word("new");
      if (!systemEvents || !Words({"login", "item", "at", "end", "with", "properties"}) ||
          !Symbol('{')) {
        return false;
      }
      bool hasPath = false, hasHidden = false, hasName = false;
      do {
        if (Word("hidden") && !hasHidden) {
          hasHidden = true;
          if (!Symbol(':') || !Boolean(&s->hidden)) return false;
        } else if (Word("path") && !hasPath) {
          hasPath = true;
          if (!Symbol(':') || !String(&s->path)) return false;
        } else if (Word("name") && !hasName) {
          hasName = true;
          if (!Symbol(':') || !String(&s->name)) return false;
        } else {
          return false;
        }
      } while (Symbol(','));
      return Symbol('}') && hasPath;
    }
    if (Word("activate")) {
      s->kind = Statement::Kind::kActivate;
      return application == Application::kConsole;
    }
    if (Word("open")) {
      s->kind = Statement::Kind::kOpen;
      return application == Application::kConsole && String(&s->text);
    }
    return false;
  }

  std::vector<Token> tokens_;
  size_t at_ = 0;
};

OSStatus Evaluate(const Condition& condition, bool* answer) {
  std::vector<LoginItem> items;
  if (int error = ReadLoginItems(&items)) return error;
  bool found = false;
  for (const LoginItem& item : items) found = found || item.name == condition.name;
  *answer = found != condition.negated;
  return noErr;
}

// The name a new login item gets from its path: the last component without its extension.
std::string NameFromPath(const std::string& path) {
  std::string last = path;
  while (last.size() > 1 && last.back() == '/') last.pop_back();
  last = last.substr(last.rfind('/') + 1);
  const size_t dot = last.rfind('.');
  return dot == std::string::npos || dot == 0 ? last : last.substr(0, dot);
}

// Runs `statements`; `*returned` becomes true when a return statement ran.
OSStatus Run(const std::vector<Statement>& statements, ScriptValue* result, bool* returned) {
  for (const Statement& s : statements) {
    OSStatus status = noErr;
    switch (s.kind) {
      case Statement::Kind::kTell:
        status = Run(s.body, result, returned);
        break;
      case Statement::Kind::kReturn: {
        bool answer = false;
        status = Evaluate(s.condition, &answer);
        if (status == noErr) {
          *result = ScriptValue{ScriptValue::Kind::kBoolean, answer};
          *returned = true;
        }
        break;
      }
      case Statement::Kind::kIf: {
        bool answer = false;
        status = Evaluate(s.condition, &answer);
        if (status == noErr && answer) status = Run(s.body, result, returned);
        break;
      }
      case Statement::Kind::kDelete:
        status = DeleteLoginItems(s.text);
        break;
      case Statement::Kind::kMake:
        status = MakeLoginItem(s.name.empty() ? NameFromPath(s.path) : s.name, s.path, s.hidden);
        break;
      case Statement::Kind::kActivate:
        break;  // the viewer comes forward when it opens the file
      case Statement::Kind::kOpen:
        status = OpenWithDesktop(ColonPathToPosix(s.text).c_str());
        break;
    }
    if (status != noErr || *returned) return status;
  }
  return noErr;
}

}  // namespace

struct ScriptProgram {
  std::vector<Statement> statements;
};

std::shared_ptr<const ScriptProgram> ParseScript(const char* text, size_t length,
                                                 OSStatus* status) {
  std::vector<Token> tokens;
  auto program = std::make_shared<ScriptProgram>();
  if (text == nullptr || !Tokenize(text, length, &tokens) ||
      !Parser(std::move(tokens)).ParseProgram(&program->statements)) {
    *status = errOSASyntaxError;
    return nullptr;
  }
  *status = noErr;
  return program;
}

OSStatus RunScript(const ScriptProgram& program, ScriptValue* result) {
  *result = ScriptValue{};
  bool returned = false;
  return Run(program.statements, result, &returned);
}

std::string DisplayScriptValue(const ScriptValue& value) {
  if (value.kind == ScriptValue::Kind::kBoolean) return value.boolean ? "true" : "false";
  return {};
}

std::string ColonPathToPosix(const std::string& colonPath) {
  std::string path;
  if (colonPath.empty() || colonPath[0] != ':') path += '/';
  for (char c : colonPath) path += c == ':' ? '/' : c;
  return path;
}

}  // namespace platform
