#pragma once

#include <QString>
#include <QVariant>

// Account passwords as the data file keeps them: a salted, slow hash in a text that
// names its own method, "pbkdf2-sha256$<iterations>$<salt>$<key>" (salt and key in
// base64). Every check of a typed password goes through PasswordMatches.
namespace Global {

// The iterations of a new hash.
inline constexpr int PasswordIterations = 100000;

// The stored form of a password: a fresh random salt each time.
QString HashPassword(const QString &password, int iterations = PasswordIterations);

// Whether a stored value is in the hash form (else it is a password kept as typed,
// from a file made before passwords were hashed).
bool IsPasswordHash(const QString &stored);

// Whether the typed password matches the stored value: a hash is recomputed with
// its own salt and iterations; a value kept as typed must equal it exactly; a
// password never set (Null) matches only an empty one.
bool PasswordMatches(const QVariant &stored, const QString &typed);

// PasswordMatches for the Users row of this exact UserID; a match against a
// password kept as typed replaces it with its hash on the spot. A failed
// replacement only leaves the value as it was.
bool CheckUserPasswordValue(const QString &userId, const QVariant &stored, const QString &typed);

// Writes the stored form of a user's password (a hash, or Null for none) into the
// Users row of this exact UserID, through the row itself so that nothing of it
// reaches the statement log. Gives whether a row was written.
bool StoreUserPassword(const QString &userId, const QVariant &storedForm);

} // namespace Global
