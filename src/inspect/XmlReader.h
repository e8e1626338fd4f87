#pragma once
// A small XML reader for application manifests: it checks that a document is
// well-formed XML with namespaces and reports its elements and character data, with
// every element named by its namespace URI and local name, whatever the prefix.
//
// Bounded by construction: the input is read once, front to back, without recursion;
// what it keeps (the open elements, the namespace declarations in scope, the decoded
// text) never outgrows a small multiple of the input. Documents with a document type
// declaration are refused: manifests carry none, and refusing them leaves no entity
// to expand.
#include <cstdint>
#include <span>
#include <string_view>

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void StartElement(std::u32string_view namespaceUri, std::u32string_view localName) = 0;
  virtual void EndElement() = 0;
  // Character data of the innermost open element, in pieces: plain text, the text of
  // CDATA sections, and resolved references. Comments and processing instructions
  // give none.
  virtual void Text(std::u32string_view text) = 0;
};

// Reads `bytes` as one XML document: UTF-8, or UTF-16 little- or big-endian, each with
// or without a byte-order mark (the first bytes tell which); an encoding declaration
// must agree with the bytes. Calls `handler` as it goes, and returns whether the whole
// document is well-formed. After a false return the calls made so far mean nothing.
bool ReadXml(std::span<const std::uint8_t> bytes, XmlHandler& handler);
