-- The bank: one row per resume in "Abstract Information" and "Resume", any number of list rows,
-- and the three pick lists. Columns keep their positions: the program addresses them by place.
-- Searched text columns compare ignoring case; every ID is a typed integer so joins use indexes.
CREATE TABLE [Abstract Information] (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT COLLATE NOCASE,
    Experience TEXT COLLATE NOCASE,
    Email TEXT COLLATE NOCASE,
    Organization TEXT COLLATE NOCASE,
    Status TEXT COLLATE NOCASE
);
CREATE TABLE Qualifications (ID INTEGER, Qualification TEXT COLLATE NOCASE);
CREATE TABLE Specializations (ID INTEGER, Specialization TEXT COLLATE NOCASE);
CREATE TABLE Locations (ID INTEGER, Location TEXT COLLATE NOCASE);
CREATE TABLE Resume (ID INTEGER, Details TEXT);
CREATE TABLE ComboData (ID INTEGER, List TEXT);

CREATE INDEX [Abstract Information Name] ON [Abstract Information] (Name);
CREATE INDEX [Abstract Information Experience] ON [Abstract Information] (Experience);
CREATE INDEX [Abstract Information Email] ON [Abstract Information] (Email);
CREATE INDEX [Abstract Information Organization] ON [Abstract Information] (Organization);
CREATE INDEX [Abstract Information Status] ON [Abstract Information] (Status);
CREATE INDEX [Qualifications ID] ON Qualifications (ID);
CREATE INDEX [Qualifications Qualification] ON Qualifications (Qualification);
CREATE INDEX [Specializations ID] ON Specializations (ID);
CREATE INDEX [Specializations Specialization] ON Specializations (Specialization);
CREATE INDEX [Locations ID] ON Locations (ID);
CREATE INDEX [Locations Location] ON Locations (Location);
CREATE INDEX [Resume ID] ON Resume (ID);
CREATE INDEX [ComboData ID] ON ComboData (ID);

-- The pick lists, in their fixed order: qualifications, specializations, locations.
INSERT INTO ComboData (ID, List) VALUES (1,
    'B.A. ,B.Com. ,B.E. ,B.Sc. ,B.Tech. ,BBA ,BCA ,Diploma ,M.A. ,M.B.A. ,M.C.A. ,M.Com. ,M.E. ,M.Sc. ,M.Tech. ,Ph.D.');
INSERT INTO ComboData (ID, List) VALUES (2,
    'AS/400 ,C/C++ ,CGI/ISAPI/PERL ,EDP ,ERP ,JAVA ,NETWORKING ,ORACLE DBA ,ORACLE DEV/DES ,POWER BUILDER ,SYBASE DBA ,TESTING ,UNIX ADMINISTRATORS ,VC++ ,VISUAL BASIC ,WEB DESIGN');
INSERT INTO ComboData (ID, List) VALUES (3,
    'Ahmedabad ,Bangalore ,Chennai ,Delhi ,Hyderabad ,Kolkata ,Mumbai ,Noida ,Pune ,Gurgaon ,Anywhere in India ,Overseas');
