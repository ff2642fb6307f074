// The XML facilities of workspace files, through tinyxml2, with names
// compared ignoring ASCII letter case.
#include "xml_document.h"

#include <strings.h>
#include <tinyxml2.h>

XmlElement XmlElement::FirstChildElement() const {
    return XmlElement(m_element != nullptr ? m_element->FirstChildElement() : nullptr);
}

XmlElement XmlElement::NextSiblingElement() const {
    return XmlElement(m_element != nullptr ? m_element->NextSiblingElement() : nullptr);
}

const char* XmlElement::Name() const { return m_element != nullptr ? m_element->Name() : nullptr; }

bool XmlElement::NameIs(const char* name) const {
    const char* own = Name();
    return own != nullptr && strcasecmp(own, name) == 0;
}

const char* XmlElement::Attribute(const char* name) const {
    if (m_element == nullptr) {
        return nullptr;
    }
    for (const tinyxml2::XMLAttribute* attribute = m_element->FirstAttribute();
         attribute != nullptr; attribute = attribute->Next()) {
        if (strcasecmp(attribute->Name(), name) == 0) {
            return attribute->Value();
        }
    }
    return nullptr;
}

XmlDocument::XmlDocument() : m_document(std::make_unique<tinyxml2::XMLDocument>()) {}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::LoadFile(const char* path) {
    return m_document->LoadFile(path) == tinyxml2::XML_SUCCESS;
}

XmlElement XmlDocument::FirstChildElement() const {
    return XmlElement(m_document->FirstChildElement());
}
