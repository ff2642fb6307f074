#include "xml_document.h"

#include <strings.h>
#include <tinyxml2.h>

XmlElement XmlElement::FirstChildElement() const {
    return XmlElement(element_ != nullptr ? element_->FirstChildElement() : nullptr);
}

XmlElement XmlElement::NextSiblingElement() const {
    return XmlElement(element_ != nullptr ? element_->NextSiblingElement() : nullptr);
}

const char* XmlElement::Name() const { return element_ != nullptr ? element_->Name() : nullptr; }

bool XmlElement::NameIs(const char* name) const {
    const char* own = Name();
    return own != nullptr && strcasecmp(own, name) == 0;
}

const char* XmlElement::Attribute(const char* name) const {
    if (element_ == nullptr) {
        return nullptr;
    }
    for (const tinyxml2::XMLAttribute* attribute = element_->FirstAttribute(); attribute != nullptr;
         attribute = attribute->Next()) {
        if (strcasecmp(attribute->Name(), name) == 0) {
            return attribute->Value();
        }
    }
    return nullptr;
}

XmlDocument::XmlDocument() : document_(std::make_unique<tinyxml2::XMLDocument>()) {}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::LoadFile(const char* path) {
    return document_->LoadFile(path) == tinyxml2::XML_SUCCESS;
}

XmlElement XmlDocument::FirstChildElement() const {
    return XmlElement(document_->FirstChildElement());
}
