#include "fw/Layout.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

#include "fw/Exceptions.h"
#include "fw/Unicode.h"

namespace fw {

namespace {

struct ClassInfo {
  std::string parent;
  ComponentFactory factory;
  std::map<std::string, PropertySetter, std::less<>> properties;
};

std::map<std::string, ClassInfo, std::less<>>& Registry() {
  static std::map<std::string, ClassInfo, std::less<>> registry;
  return registry;
}

std::vector<HINSTANCE>& ResourceModules() {
  static std::vector<HINSTANCE> modules;
  return modules;
}

const PropertySetter* FindProperty(const std::string& className, const std::string& property) {
  std::string name = className;
  while (!name.empty()) {
    auto it = Registry().find(name);
    if (it == Registry().end()) return nullptr;
    auto p = it->second.properties.find(property);
    if (p != it->second.properties.end()) return &p->second;
    name = it->second.parent;
  }
  return nullptr;
}

// The layout text as tokens.
struct Token {
  enum class Kind { Word, Number, String, Symbol, End } kind;
  std::string text;
  int64_t number = 0;
  int line = 0;
};

class Lexer {
 public:
  Lexer(const std::string& text, LayoutReader& reader) : text_(text), reader_(reader) {}

  Token Next() {
    SkipBlanks();
    Token t{Token::Kind::End, "", 0, line_};
    if (pos_ >= text_.size()) return t;
    char c = text_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      size_t start = pos_;
      while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                     text_[pos_] == '_' || text_[pos_] == '.'))
        ++pos_;
      t.kind = Token::Kind::Word;
      t.text = text_.substr(start, pos_ - start);
      return t;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') {
      size_t start = pos_++;
      int base = 10;
      if (c == '0' && pos_ < text_.size() && (text_[pos_] == 'x' || text_[pos_] == 'X')) {
        base = 16;
        ++pos_;
      }
      while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
      std::string digits = text_.substr(start, pos_ - start);
      try {
        t.number = std::stoll(digits, nullptr, base);
      } catch (const std::exception&) {
        reader_.Fail(line_, "Bad number " + digits);
      }
      t.kind = Token::Kind::Number;
      return t;
    }
    if (c == '"') {
      t.kind = Token::Kind::String;
      t.text = ReadString();
      return t;
    }
    ++pos_;
    t.kind = Token::Kind::Symbol;
    t.text = std::string(1, c);
    return t;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        return;
      }
    }
  }

  std::string ReadString() {
    std::string out;
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n') reader_.Fail(line_, "Unterminated text");
      char c = text_[pos_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) reader_.Fail(line_, "Unterminated text");
      char e = text_[pos_++];
      switch (e) {
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case '\\':
          out += '\\';
          break;
        case '"':
          out += '"';
          break;
        case 'x': {
          if (pos_ + 2 > text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[pos_])) ||
              !std::isxdigit(static_cast<unsigned char>(text_[pos_ + 1])))
            reader_.Fail(line_, "Bad \\x escape");
          // The character U+00xx (Latin-1, as "\xFC" for "ü"), in UTF-8 as all text.
          const char16_t code =
              static_cast<char16_t>(std::stoi(text_.substr(pos_, 2), nullptr, 16));
          out += Utf8(std::u16string_view(&code, 1));
          pos_ += 2;
          break;
        }
        default:
          reader_.Fail(line_, std::string("Unknown escape \\") + e);
      }
    }
  }

  const std::string& text_;
  LayoutReader& reader_;
  size_t pos_ = 0;
  int line_ = 1;
};

class Parser {
 public:
  Parser(const std::string& text, LayoutReader& reader, std::vector<TComponent*>& loaded)
      : lexer_(text, reader), reader_(reader), loaded_(loaded) {
    Advance();
  }

  struct Header {
    std::string name;
    std::string extends;  // empty when the layout extends none
  };

  // The header line: form Name : Class [extends Base]
  Header ReadHeader() {
    Header header;
    Expect("form");
    header.name = ExpectWord();
    ExpectSymbol(":");
    ExpectWord();
    if (token_.kind == Token::Kind::Word && token_.text == "extends") {
      Advance();
      header.extends = ExpectWord();
    }
    return header;
  }

  // The body after the header, into the root component.
  void ReadForm(const Header& header) {
    TComponent& root = reader_.Root();
    if (!header.name.empty()) root.SetName(header.name);
    ReadBody(root);
    if (token_.kind != Token::Kind::End) reader_.Fail(token_.line, "Text after the form's end");
  }

 private:
  void Advance() { token_ = lexer_.Next(); }
  bool IsSymbol(const char* s) const {
    return token_.kind == Token::Kind::Symbol && token_.text == s;
  }
  void Expect(const char* word) {
    if (token_.kind != Token::Kind::Word || token_.text != word)
      reader_.Fail(token_.line, std::string("Expected ") + word);
    Advance();
  }
  std::string ExpectWord() {
    if (token_.kind != Token::Kind::Word) reader_.Fail(token_.line, "Expected a name");
    std::string w = token_.text;
    Advance();
    return w;
  }
  void ExpectSymbol(const char* s) {
    if (!IsSymbol(s)) reader_.Fail(token_.line, std::string("Expected ") + s);
    Advance();
  }

  void ReadBody(TComponent& target) {
    ExpectSymbol("{");
    while (!IsSymbol("}")) {
      if (token_.kind == Token::Kind::End) reader_.Fail(token_.line, "Missing }");
      std::string word = ExpectWord();
      if (word == "component" && token_.kind == Token::Kind::Word) {
        ReadComponent(target);
      } else if (word == "change" && token_.kind == Token::Kind::Word) {
        int line = token_.line;
        std::string name = ExpectWord();
        TComponent* existing = reader_.Root().FindComponent(name);
        if (!existing) reader_.Fail(line, "No component " + name + " to change");
        ReadBody(*existing);
      } else {
        int line = token_.line;
        ExpectSymbol("=");
        LayoutValue value = ReadValue();
        value.line = line;
        const PropertySetter* set = FindProperty(target.ClassName(), word);
        if (!set) reader_.Fail(line, std::string(target.ClassName()) + " has no property " + word);
        try {
          (*set)(target, value, reader_);
        } catch (const EParserError& e) {
          if (e.Line != 0) throw;
          reader_.Fail(line, e.what());
        } catch (const Exception& e) {
          reader_.Fail(line, e.what());
        }
      }
    }
    Advance();
  }

  void ReadComponent(TComponent& enclosing) {
    int line = token_.line;
    std::string name = ExpectWord();
    ExpectSymbol(":");
    std::string className = ExpectWord();
    auto it = Registry().find(className);
    if (it == Registry().end() || !it->second.factory)
      reader_.Fail(line, "Class " + className + " is not registered");
    TComponent& root = reader_.Root();
    if (root.FindComponent(name))
      reader_.Fail(line, "A component named " + name + " exists already");
    TComponent* c = it->second.factory(&root);
    c->SetName(name);
    c->BeginLoading();
    loaded_.push_back(c);
    c->SetParentComponent(&enclosing);
    ReadBody(*c);
  }

  LayoutValue ReadValue() {
    LayoutValue v;
    switch (token_.kind) {
      case Token::Kind::Number:
        v.kind = LayoutValue::Kind::Number;
        v.number = token_.number;
        Advance();
        return v;
      case Token::Kind::String:
        v.kind = LayoutValue::Kind::String;
        v.text = token_.text;
        Advance();
        // Texts written over several lines join up.
        while (token_.kind == Token::Kind::String) {
          v.text += token_.text;
          Advance();
        }
        return v;
      case Token::Kind::Word:
        v.kind = LayoutValue::Kind::Ident;
        v.text = token_.text;
        Advance();
        return v;
      default:
        break;
    }
    if (IsSymbol("[")) {
      v.kind = LayoutValue::Kind::Set;
      Advance();
      while (!IsSymbol("]")) v.items.push_back(ExpectWord());
      Advance();
      return v;
    }
    if (IsSymbol("(")) {
      v.kind = LayoutValue::Kind::List;
      Advance();
      while (!IsSymbol(")")) {
        if (token_.kind != Token::Kind::String) reader_.Fail(token_.line, "Expected a text");
        v.items.push_back(token_.text);
        Advance();
      }
      Advance();
      return v;
    }
    reader_.Fail(token_.line, "Expected a value");
  }

  Lexer lexer_;
  LayoutReader& reader_;
  std::vector<TComponent*>& loaded_;
  Token token_;
};

}  // namespace

int32_t LayoutValue::AsInt() const {
  if (kind != Kind::Number) throw EParserError("number expected");
  if (number < INT32_MIN || number > UINT32_MAX) throw EParserError("number out of range");
  return static_cast<int32_t>(static_cast<uint32_t>(number));
}
const std::string& LayoutValue::AsString() const {
  if (kind != Kind::String) throw EParserError("text expected");
  return text;
}
const std::string& LayoutValue::AsIdent() const {
  if (kind != Kind::Ident) throw EParserError("name expected");
  return text;
}
bool LayoutValue::AsBool() const {
  if (kind == Kind::Ident && text == "true") return true;
  if (kind == Kind::Ident && text == "false") return false;
  throw EParserError("true or false expected");
}
const std::vector<std::string>& LayoutValue::AsSet() const {
  if (kind != Kind::Set) throw EParserError("[set] expected");
  return items;
}
const std::vector<std::string>& LayoutValue::AsList() const {
  if (kind != Kind::List) throw EParserError("(list) expected");
  return items;
}

ClassRegistration::ClassRegistration(std::string className, std::string parentClass,
                                     ComponentFactory factory, std::vector<PropertyDef> properties)
    : name_(std::move(className)) {
  ClassInfo& info = Registry()[name_];
  info.parent = std::move(parentClass);
  info.factory = std::move(factory);
  for (auto& p : properties) info.properties[p.name] = std::move(p.set);
}

ClassRegistration::~ClassRegistration() { Registry().erase(name_); }

void RegisterResourceModule(HINSTANCE module) {
  auto& list = ResourceModules();
  if (std::find(list.begin(), list.end(), module) == list.end()) list.push_back(module);
}

void UnregisterResourceModule(HINSTANCE module) { std::erase(ResourceModules(), module); }

void LayoutReader::Fail(int line, const std::string& message) const {
  throw EParserError("Layout " + source_ + ", line " + std::to_string(line) + ": " + message, line);
}

std::string LayoutReader::FindLayout(const std::string& className, HINSTANCE* module) {
  const auto& modules = ResourceModules();
  for (auto it = modules.rbegin(); it != modules.rend(); ++it) {
    HRSRC found = FindResourceA(*it, className.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) continue;
    HGLOBAL data = LoadResource(*it, found);
    const char* bytes = static_cast<const char*>(LockResource(data));
    *module = *it;
    return std::string(bytes, SizeofResource(*it, found));
  }
  throw EParserError("No layout for class " + className);
}

void LayoutReader::ReadClass(const std::string& className) {
  HINSTANCE module = nullptr;
  const std::string text = FindLayout(className, &module);
  BeginRoot();
  source_ = className;
  Parser parser(text, *this, loaded_);
  const Parser::Header header = parser.ReadHeader();
  // The extended class's components are made first, so that this layout
  // can change them.
  if (!header.extends.empty()) ReadClass(header.extends);
  source_ = className;
  module_ = module;
  parser.ReadForm(header);
}

void LayoutReader::ReadText(const std::string& text, const std::string& source) {
  BeginRoot();
  source_ = source;
  Parser parser(text, *this, loaded_);
  parser.ReadForm(parser.ReadHeader());
}

void LayoutReader::BeginRoot() {
  if (loaded_.empty() || loaded_.front() != &root_) {
    root_.BeginLoading();
    loaded_.insert(loaded_.begin(), &root_);
  }
}

void LayoutReader::Reference(const LayoutValue& value, std::function<void(TComponent*)> apply) {
  const std::string& name = value.AsIdent();
  if (TComponent* c = root_.FindComponent(name)) {
    apply(c);
    return;
  }
  fixups_.push_back({name, value.line, std::move(apply)});
}

TNotifyEvent LayoutReader::Event(const LayoutValue& value) {
  TNotifyEvent handler = root_.MethodAddress(value.AsIdent());
  if (!handler) Fail(value.line, "No method " + value.text + " in " + root_.ClassName());
  return handler;
}

void LayoutReader::Finish() {
  std::vector<Fixup> fixups = std::move(fixups_);
  for (const Fixup& f : fixups) {
    TComponent* c = root_.FindComponent(f.name);
    if (!c) Fail(f.line, "No component named " + f.name);
    f.apply(c);
  }
  // Components first, the root last, so the form aligns what is all there.
  for (size_t i = 1; i < loaded_.size(); ++i) loaded_[i]->Loaded();
  if (!loaded_.empty()) loaded_.front()->Loaded();
  loaded_.clear();
}

void ReadLayout(TComponent& root) {
  LayoutReader reader(root);
  reader.ReadClass(root.ClassName());
  reader.Finish();
}

TColor ColorValue(const LayoutValue& v, LayoutReader& r) {
  static constexpr auto colors = EnumNames<TColor>({{"clBlack", clBlack},
                                                    {"clWhite", clWhite},
                                                    {"clBlue", clBlue},
                                                    {"clWindow", clWindow},
                                                    {"clWindowText", clWindowText},
                                                    {"clBtnFace", clBtnFace},
                                                    {"clHighlight", clHighlight},
                                                    {"clHighlightText", clHighlightText},
                                                    {"clGrayText", clGrayText}});
  if (v.kind == LayoutValue::Kind::Number) return v.AsInt();
  return NamedValue(v, r, colors);
}

}  // namespace fw
