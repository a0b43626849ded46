#pragma once

#include <QByteArrayView>
#include <QStringDecoder>

// The decoder for an XML document, chosen from its first bytes the way an XML
// reader does: a byte order mark or the UTF-16/UTF-32 pattern of "<" first,
// then the encoding named in the XML declaration, UTF-8 when neither says.
// An encoding name the system does not know also gives UTF-8.
//
// The decoder replaces undecodable bytes with U+FFFD instead of failing, so a
// single bad byte costs one character, not the whole document.
QStringDecoder decoderForXml(QByteArrayView head);
