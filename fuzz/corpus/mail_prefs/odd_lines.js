USER_PREF("Mail.Server.Server3.HostName",   10.0.0.7  );
 user_pref("mail.server.server1.hostname", "indented.example.org");
user_pref("mail.identity.id2.useremail", " pat@example.org "); // (work)
user_pref("mail.server.server4.hostname
user_pref("",
