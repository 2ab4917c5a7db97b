#include <cups/cups.h>

#include <QUrl>

#include "drucker_anschluss.h"

namespace pegel::ui {

QString DruckerAnschluss(const QString& name) {
  const QByteArray n = name.toUtf8();
  cups_dest_t* ziel = cupsGetNamedDest(CUPS_HTTP_DEFAULT, n.constData(), nullptr);
  if (ziel == nullptr) return {};
  const char* uri = cupsGetOption("device-uri", ziel->num_options, ziel->options);
  QString anschluss = uri != nullptr ? QString::fromUtf8(uri) : QString();
  cupsFreeDests(1, ziel);
  const QUrl url(anschluss);
  if (url.isValid() && !url.userInfo().isEmpty()) {
    anschluss = url.adjusted(QUrl::RemoveUserInfo).toString();
  }
  return anschluss;
}

}  // namespace pegel::ui
