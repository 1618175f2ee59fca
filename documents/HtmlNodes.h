#pragma once

#include <initializer_list>
#include <libxml/tree.h>
#include <string>

// What the web page reader asks of the parser's elements.

bool NameIs(const xmlNode* node, const char* name);
bool NameIn(const xmlNode* node, std::initializer_list<const char*> names);
bool HasAttribute(const xmlNode* node, const char* name);
// The attribute's value, lower case; empty when it is missing.
std::string LowerAttribute(const xmlNode* node, const char* name);

// An element a browser does not show: the head, scripts, styles, templates, an element hidden
// by its attribute or its inline style, text meant only for screen readers, and the "Skip to
// content" link that pages put first.
bool IsUnshown(const xmlNode* node);
// An inline style that takes a list's markers away.
bool HasNoListMarkers(const xmlNode* node);
