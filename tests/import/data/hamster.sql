PRAGMA page_size = 1024;
PRAGMA foreign_keys=OFF;
BEGIN TRANSACTION;
CREATE TABLE activities(id integer primary key, name varchar2(500), work integer, activity_order integer, deleted integer, category_id integer, search_name varchar2);
INSERT INTO activities VALUES(1,'Reading news',NULL,NULL,NULL,1,'reading news');
INSERT INTO activities VALUES(2,'Checking stocks',NULL,NULL,NULL,1,'checking stocks');
INSERT INTO activities VALUES(3,'Super secret project X',NULL,NULL,NULL,1,'super secret project x');
INSERT INTO activities VALUES(4,'World domination',NULL,NULL,NULL,1,'world domination');
INSERT INTO activities VALUES(5,'Lunch',NULL,NULL,NULL,2,'lunch');
INSERT INTO activities VALUES(6,'Watering flowers',NULL,NULL,NULL,2,'watering flowers');
INSERT INTO activities VALUES(7,'Doing handstands',NULL,NULL,NULL,2,'doing handstands');
INSERT INTO activities VALUES(8,'page layout',NULL,NULL,NULL,3,'page layout');
INSERT INTO activities VALUES(9,'invoices',NULL,NULL,NULL,4,'invoices');
INSERT INTO activities VALUES(10,'café menu',NULL,NULL,NULL,5,'café menu');
INSERT INTO activities VALUES(11,'deploy',NULL,NULL,NULL,3,'deploy');
INSERT INTO activities VALUES(12,'night shift',NULL,NULL,NULL,6,'night shift');
INSERT INTO activities VALUES(13,'no category',NULL,NULL,NULL,-1,'no category');
INSERT INTO activities VALUES(14,'writing',NULL,NULL,NULL,3,'writing');
CREATE TABLE version(version integer);
INSERT INTO version VALUES(9);
CREATE TABLE categories
                                            (id integer primary key,
                                             name varchar2(500),
                                             color_code varchar2(50),
                                             category_order integer, search_name varchar2);
INSERT INTO categories VALUES(1,'Work',NULL,NULL,'work');
INSERT INTO categories VALUES(2,'Day-to-day',NULL,NULL,'day-to-day');
INSERT INTO categories VALUES(3,'Acme',NULL,NULL,'acme');
INSERT INTO categories VALUES(4,'Admin',NULL,NULL,'admin');
INSERT INTO categories VALUES(5,'Ünïcode Ltd',NULL,NULL,'ünïcode ltd');
INSERT INTO categories VALUES(6,'Ops',NULL,NULL,'ops');
CREATE TABLE tags (id INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,
                                               name TEXT NOT NULL,
                                               autocomplete BOOL DEFAULT true);
INSERT INTO tags VALUES(1,'design',1);
INSERT INTO tags VALUES(2,'print',1);
INSERT INTO tags VALUES(3,'docs',1);
CREATE TABLE fact_tags(fact_id integer, tag_id integer);
INSERT INTO fact_tags VALUES(1,1);
INSERT INTO fact_tags VALUES(1,2);
INSERT INTO fact_tags VALUES(3,1);
INSERT INTO fact_tags VALUES(8,3);
CREATE TABLE IF NOT EXISTS "facts" (id integer primary key autoincrement,
                                                          activity_id integer,
                                                          start_time timestamp,
                                                          end_time timestamp,
                                                          description varchar2);
INSERT INTO facts VALUES(1,8,'2024-03-28 09:00:00','2024-03-28 10:30:00','first proofs');
INSERT INTO facts VALUES(2,9,'2024-03-28 10:30:00','2024-03-28 12:05:00','');
INSERT INTO facts VALUES(3,8,'2024-03-28 13:00:00','2024-03-28 17:20:00','second proofs, "quoted"');
INSERT INTO facts VALUES(4,10,'2024-03-29 09:10:00','2024-03-29 11:00:00','');
INSERT INTO facts VALUES(5,11,'2024-03-29 23:30:00','2024-03-30 01:15:00','');
INSERT INTO facts VALUES(6,12,'2024-10-27 02:05:00','2024-10-27 04:00:00','');
INSERT INTO facts VALUES(7,13,'2024-04-02 08:00:00','2024-04-02 08:45:00','');
INSERT INTO facts VALUES(8,14,'2024-04-03 08:30:00',NULL,'the manual');
PRAGMA writable_schema=ON;
INSERT INTO sqlite_schema(type,name,tbl_name,rootpage,sql)VALUES('table','fact_index','fact_index',0,'CREATE VIRTUAL TABLE fact_index
                                           USING fts3(id, name, category, description, tag)');
CREATE TABLE IF NOT EXISTS 'fact_index_content'(docid INTEGER PRIMARY KEY, 'c0id', 'c1name', 'c2category', 'c3description', 'c4tag');
CREATE TABLE IF NOT EXISTS 'fact_index_segments'(blockid INTEGER PRIMARY KEY, block BLOB);
CREATE TABLE IF NOT EXISTS 'fact_index_segdir'(level INTEGER,idx INTEGER,start_block INTEGER,leaves_end_block INTEGER,end_block INTEGER,root BLOB,PRIMARY KEY(level, idx));
DELETE FROM sqlite_sequence;
INSERT INTO sqlite_sequence VALUES('facts',8);
INSERT INTO sqlite_sequence VALUES('tags',3);
CREATE INDEX idx_tags_name ON tags(name);
CREATE INDEX idx_fact_tags_fact ON fact_tags(fact_id);
CREATE INDEX idx_fact_tags_tag ON fact_tags(tag_id);
PRAGMA writable_schema=OFF;
COMMIT;
