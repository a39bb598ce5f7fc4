user_pref("mail.server.server1.hostname", "Local Folders");
user_pref("mail.identity.id1.useremail", "pat@example.org");
