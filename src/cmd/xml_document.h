// The few facilities of an XML parser that workspace files need, so that
// the parser can be swapped. Element and attribute names are matched
// ignoring ASCII letter case.
#pragma once

#include <memory>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
}  // namespace tinyxml2

// An element of a loaded document, or none; valid while its document lives.
class XmlElement {
  public:
    XmlElement() = default;
    explicit XmlElement(const tinyxml2::XMLElement* element) : m_element(element) {}

    explicit operator bool() const { return m_element != nullptr; }
    XmlElement FirstChildElement() const;
    XmlElement NextSiblingElement() const;
    const char* Name() const;
    bool NameIs(const char* name) const;
    // The value of the attribute whose name equals name ignoring case, or
    // null when there is none.
    const char* Attribute(const char* name) const;

  private:
    const tinyxml2::XMLElement* m_element = nullptr;
};

class XmlDocument {
  public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // True when the file could be read and is well-formed XML.
    bool LoadFile(const char* path);
    // The first element of the document; declarations, comments and text
    // before it are skipped.
    XmlElement FirstChildElement() const;

  private:
    std::unique_ptr<tinyxml2::XMLDocument> m_document;
};
