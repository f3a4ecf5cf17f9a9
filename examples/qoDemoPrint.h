#pragma once
// The project plan printed on A4 landscape at 300 DPI, page by page, once
// with its tree and once with its grid as the row header: a PDF and PNG pages.
#include <string>

// Writes the documents into outDir and prints their paths.
void RenderPrintDemo(const std::string& outDir);
