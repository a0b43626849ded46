#pragma once
// Pieces of function.xml and unit.xml for the readers' and the window's tests.
#include <QByteArray>

// One <fun> entry of function.xml.
inline QByteArray fun(const QByteArray& show, const QByteArray& in, const QByteArray& bidx,
                      const QByteArray& style, const QByteArray& desc = "d",
                      const QByteArray& help = "h.html") {
    return "<fun><vk_show>" + show + "</vk_show><vk_in>" + in + "</vk_in><vk_bidx>" + bidx +
           "</vk_bidx><vk_style>" + style + "</vk_style><vk_shortdesc>" + desc +
           "</vk_shortdesc><vk_help>" + help + "</vk_help></fun>";
}

// One <def> entry of unit.xml.
inline QByteArray def(const QByteArray& unit, const QByteArray& num) {
    return "<def><unit>" + unit + "</unit><num>" + num + "</num></def>";
}
