#include "string_array_plist.h"

#include <cstdint>
#include <fstream>

#include "base64.h"
#include "utf8_check.h"
#include "utf8_encode.h"

namespace vantrel::backup {

namespace {

// A small reader for exactly the documents this format allows: prolog, <plist>, one <array>
// of <string> and <data> elements. Anything else makes the whole text unreadable.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<std::vector<std::string>> read() {
    skipMisc();
    bool wrapped = false;
    if (startsWith("<plist")) {
      if (!skipTag()) return std::nullopt;
      wrapped = true;
      skipMisc();
    }
    std::vector<std::string> strings;
    if (take("<array/>")) {
      // empty
    } else if (take("<array>")) {
      while (true) {
        skipMisc();
        if (take("</array>")) break;
        std::optional<std::string> entry = arrayEntry();
        if (!entry) return std::nullopt;
        strings.push_back(std::move(*entry));
      }
    } else {
      return std::nullopt;
    }
    skipMisc();
    if (wrapped && !take("</plist>")) return std::nullopt;
    skipMisc();
    if (at_ != text_.size()) return std::nullopt;
    return strings;
  }

 private:
  std::optional<std::string> arrayEntry() {
    if (take("<string/>") || take("<data/>")) return std::string();
    if (take("<string>")) {
      std::optional<std::string> text = characterData();
      if (!text || !take("</string>")) return std::nullopt;
      return text;
    }
    if (take("<data>")) {
      const std::size_t end = text_.find("</data>", at_);
      if (end == std::string_view::npos) return std::nullopt;
      const std::string_view encoded = text_.substr(at_, end - at_);
      at_ = end + std::string_view("</data>").size();
      return decodeBase64(encoded);
    }
    return std::nullopt;
  }

  bool startsWith(std::string_view what) const { return text_.substr(at_).starts_with(what); }

  bool take(std::string_view what) {
    if (!startsWith(what)) return false;
    at_ += what.size();
    return true;
  }

  bool skipPast(std::string_view end) {
    const std::size_t found = text_.find(end, at_);
    if (found == std::string_view::npos) return false;
    at_ = found + end.size();
    return true;
  }

  bool skipTag() { return skipPast(">"); }

  // White space, the XML declaration, the document type and comments.
  void skipMisc() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        ++at_;
      } else if (startsWith("<?")) {
        if (!skipPast("?>")) return;
      } else if (startsWith("<!--")) {
        if (!skipPast("-->")) return;
      } else if (startsWith("<!DOCTYPE")) {
        if (!skipTag()) return;
      } else {
        return;
      }
    }
  }

  // Text up to the next tag, with references decoded and line ends normalised as XML does.
  std::optional<std::string> characterData() {
    std::string text;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '<') {
        if (!take("<![CDATA[")) return text;
        const std::size_t end = text_.find("]]>", at_);
        if (end == std::string_view::npos) return std::nullopt;
        text.append(text_.substr(at_, end - at_));
        at_ = end + 3;
      } else if (c == '&') {
        if (!reference(text)) return std::nullopt;
      } else if (c == '\r') {
        text.push_back('\n');
        ++at_;
        if (at_ < text_.size() && text_[at_] == '\n') ++at_;
      } else {
        text.push_back(c);
        ++at_;
      }
    }
    return std::nullopt;
  }

  bool reference(std::string& out) {
    const std::size_t end = text_.find(';', at_);
    if (end == std::string_view::npos) return false;
    const std::string_view name = text_.substr(at_ + 1, end - at_ - 1);
    at_ = end + 1;
    if (name == "amp")
      out.push_back('&');
    else if (name == "lt")
      out.push_back('<');
    else if (name == "gt")
      out.push_back('>');
    else if (name == "quot")
      out.push_back('"');
    else if (name == "apos")
      out.push_back('\'');
    else
      return numericReference(name, out);
    return true;
  }

  static bool numericReference(std::string_view name, std::string& out) {
    if (name.size() < 2 || name[0] != '#') return false;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return false;
    std::uint32_t code = 0;
    for (char d : digits) {
      int value;
      if (d >= '0' && d <= '9')
        value = d - '0';
      else if (hex && d >= 'a' && d <= 'f')
        value = d - 'a' + 10;
      else if (hex && d >= 'A' && d <= 'F')
        value = d - 'A' + 10;
      else
        return false;
      code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
    }
    // &#0; is no XML 1.0 character, but the writer has no other way to keep a NUL (which a
    // string read from a damaged file may hold): refusing it here would make the whole queue
    // unreadable after the next save.
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    append_utf8(out, static_cast<char32_t>(code));
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// One string as XML character data.
void appendEscapedXml(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (byte < 0x20 && c != '\t' && c != '\n') {
      // A raw carriage return would be read back as a line feed; other control characters
      // are not allowed raw in XML at all.
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "&#x";
      if (byte >= 0x10) out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
      out.push_back(';');
    } else {
      out.push_back(c);
    }
  }
}

}  // namespace

void appendArrayEntry(std::string& out, std::string_view bytes) {
  if (isValidUtf8(bytes)) {
    out += "\t<string>";
    appendEscapedXml(out, bytes);
    out += "</string>\n";
  } else {
    out += "\t<data>";
    out += encodeBase64(bytes);
    out += "</data>\n";
  }
}

std::optional<std::vector<std::string>> parseStringArrayPlist(std::string_view text) {
  return Reader(text).read();
}

std::vector<std::string> readStringArrayPlistFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return {};
  return parseStringArrayPlist(text).value_or(std::vector<std::string>());
}

}  // namespace vantrel::backup
