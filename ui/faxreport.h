#pragma once

#include "documents/document.h"
#include "sent/delivery.h"
#include "sent/storedmessage.h"

// The transmission report of a fax, as a fax machine prints one: a page of
// PDF saying who sent what to whom, when, through which server and with
// what answer, whether the gateway reported it delivered, the files with their SHA-256, and a small picture of the
// first page.
namespace faxreport {

// Writes the report of `message` (its documents read as `documents`, the
// gateway's report on it `delivery`) to `path`; empty, or why not.
QString write(const QString &path, const stored::Message &message,
              const QList<documents::Document> &documents,
              const std::optional<Delivery> &delivery);

} // namespace faxreport
